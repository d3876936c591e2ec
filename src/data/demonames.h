#pragma once

#include <array>
#include <string_view>

// Word lists for the demo AGX tables. People, clubs and streets are invented
// combinations; cities, states and breeds are real so that the data reads as
// plausible.
namespace data::demo {

inline constexpr std::array kFirstNames = {
    "Abigail", "Alan",    "Alice",   "Amber",   "Andrea",  "Angela",  "Barbara", "Beth",
    "Brenda",  "Brian",   "Carl",    "Carol",   "Cathy",   "Cheryl",  "Chris",   "Cindy",
    "Colleen", "Connie",  "Dale",    "Dana",    "Daniel",  "Debra",   "Denise",  "Diane",
    "Donna",   "Doug",    "Elaine",  "Ellen",   "Emily",   "Eric",    "Frank",   "Gail",
    "Gary",    "Glenda",  "Gloria",  "Greg",    "Heather", "Helen",   "Holly",   "Jack",
    "Janet",   "Jean",    "Jeff",    "Jennifer","Jill",    "Joan",    "Joyce",   "Judy",
    "Julie",   "Karen",   "Kathy",   "Kelly",   "Kim",     "Laura",   "Leslie",  "Linda",
    "Lisa",    "Lori",    "Lynn",    "Marcia",  "Margaret","Marie",   "Mark",    "Martha",
    "Mary",    "Megan",   "Melissa", "Michael", "Michelle","Nancy",   "Pam",     "Patricia",
    "Paul",    "Peggy",   "Rachel",  "Rebecca", "Rhonda",  "Rita",    "Robert",  "Robin",
    "Ruth",    "Sandra",  "Sarah",   "Sharon",  "Sheila",  "Shirley", "Stacy",   "Steve",
    "Sue",     "Susan",   "Tammy",   "Teresa",  "Terri",   "Tom",     "Tracy",   "Valerie",
    "Vicki",   "Wanda",   "Wendy",   "Zoe",
};

inline constexpr std::array kLastNames = {
    "Abernathy", "Ackerly",   "Albright",  "Ashdown",   "Bancroft",  "Barlowe",   "Beckwith",
    "Birchfield","Blakemore", "Brandvold", "Brightwell","Burkhardt", "Calloway",  "Carrington",
    "Castellano","Chadwick",  "Colfax",    "Cornwell",  "Crandall",  "Dalrymple", "Delacroix",
    "Dunmore",   "Eastwick",  "Ellsworth", "Fairbanks", "Fenwick",   "Fitzgerald","Foxworth",
    "Galloway",  "Garrick",   "Gilchrist", "Goodhue",   "Greenleaf", "Halvorsen", "Hardwick",
    "Hathaway",  "Hollister", "Huntley",   "Ingersoll", "Jamison",   "Kettering", "Kingsley",
    "Lachance",  "Langford",  "Lindqvist", "Lockhart",  "Macallan",  "Marchetti", "McAlister",
    "Merriweather","Montague","Nordstrand","Oakley",    "O'Hanlon",  "Pemberton", "Prescott",
    "Quimby",    "Radcliffe", "Redfield",  "Rowntree",  "Saltonstall","Satterfield","Sheffield",
    "Silverton", "Stanhope",  "Stockwell", "Sutherland","Talbot",    "Thackeray", "Thornbury",
    "Underhill", "Vandermeer","Wainwright","Westbrook", "Whitcombe", "Winslow",   "Yardley",
    "Zimmerly",
};

inline constexpr std::array kStreets = {
    "Maple",   "Oak",      "Cedar",    "Pine",     "Elm",      "Willow",  "Birch",   "Aspen",
    "Hickory", "Chestnut", "Juniper",  "Magnolia", "Sycamore", "Laurel",  "Spruce",  "Walnut",
    "Meadow",  "Ridge",    "Hillcrest","Lakeview", "Sunset",   "Orchard", "Prairie", "Riverbend",
    "Highland","Valley",   "Brookside","Fox Run",  "Quail",    "Heron",
};

inline constexpr std::array kStreetTypes = {"St", "Ave", "Rd", "Ln", "Dr", "Ct", "Way", "Blvd"};

struct Place
{
    const char* city;
    const char* state;
    int zip;   // first zip code of the city's range
};

inline constexpr std::array<Place, 40> kPlaces = {{
    {"Albuquerque", "NM", 87101}, {"Asheville", "NC", 28801},   {"Austin", "TX", 78701},
    {"Bend", "OR", 97701},        {"Boise", "ID", 83702},       {"Boulder", "CO", 80301},
    {"Burlington", "VT", 5401},   {"Charleston", "SC", 29401},  {"Chattanooga", "TN", 37402},
    {"Columbus", "OH", 43085},    {"Concord", "NH", 3301},      {"Des Moines", "IA", 50309},
    {"Durham", "NC", 27701},      {"Eugene", "OR", 97401},      {"Flagstaff", "AZ", 86001},
    {"Fort Collins", "CO", 80521},{"Fresno", "CA", 93650},      {"Gainesville", "FL", 32601},
    {"Grand Rapids", "MI", 49503},{"Harrisburg", "PA", 17101},  {"Knoxville", "TN", 37902},
    {"Lancaster", "PA", 17601},   {"Lexington", "KY", 40502},   {"Madison", "WI", 53703},
    {"Missoula", "MT", 59801},    {"Nashua", "NH", 3060},       {"Olympia", "WA", 98501},
    {"Omaha", "NE", 68102},       {"Portland", "ME", 4101},     {"Raleigh", "NC", 27601},
    {"Reno", "NV", 89501},        {"Richmond", "VA", 23219},    {"Rochester", "NY", 14604},
    {"Sacramento", "CA", 95814},  {"Salem", "OR", 97301},       {"Santa Fe", "NM", 87501},
    {"Savannah", "GA", 31401},    {"Spokane", "WA", 99201},     {"Tucson", "AZ", 85701},
    {"Wilmington", "DE", 19801},
}};

inline constexpr std::array kCallNames = {
    "Ace",    "Bailey", "Banjo",  "Bear",   "Bella",  "Biscuit","Blaze",  "Blue",   "Bolt",
    "Buddy",  "Cash",   "Chance", "Chase",  "Chili",  "Cinder", "Clover", "Cody",   "Cricket",
    "Dash",   "Dixie",  "Echo",   "Ember",  "Finn",   "Flash",  "Fizz",   "Gem",    "Ginger",
    "Gus",    "Hazel",  "Indy",   "Jazz",   "Jet",    "Juno",   "Kai",    "Kona",   "Lark",
    "Lucky",  "Luna",   "Maggie", "Max",    "Mercy",  "Milo",   "Misty",  "Nova",   "Nutmeg",
    "Ollie",  "Pepper", "Piper",  "Pixel",  "Quinn",  "Radar",  "Remy",   "Riley",  "Rocket",
    "Rosie",  "Rusty",  "Sage",   "Scout",  "Shadow", "Skye",   "Sparky", "Spice",  "Sprite",
    "Sunny",  "Tango",  "Teddy",  "Tess",   "Tilly",  "Toby",   "Trixie", "Tucker", "Turbo",
    "Vesper", "Wren",   "Whisky", "Yoshi",  "Zeke",   "Ziggy",  "Zip",    "Zoom",
};

inline constexpr std::array kBreeds = {
    "Airedale Terrier",           "Australian Cattle Dog",      "Australian Shepherd",
    "Basenji",                    "Beagle",                     "Belgian Malinois",
    "Belgian Tervuren",           "Bernese Mountain Dog",       "Bichon Frise",
    "Border Collie",              "Border Terrier",             "Boston Terrier",
    "Boxer",                      "Brittany",                   "Cairn Terrier",
    "Cardigan Welsh Corgi",       "Cavalier King Charles Spaniel","Chihuahua",
    "Cocker Spaniel",             "Dachshund",                  "Dalmatian",
    "Doberman Pinscher",          "English Springer Spaniel",   "Flat-Coated Retriever",
    "German Shepherd Dog",        "German Shorthaired Pointer", "Golden Retriever",
    "Havanese",                   "Italian Greyhound",          "Jack Russell Terrier",
    "Labrador Retriever",         "Miniature American Shepherd","Miniature Pinscher",
    "Miniature Poodle",           "Miniature Schnauzer",        "Mixed Breed",
    "Nova Scotia Duck Tolling Retriever","Papillon",            "Parson Russell Terrier",
    "Pembroke Welsh Corgi",       "Pomeranian",                 "Portuguese Water Dog",
    "Pumi",                       "Rat Terrier",                "Shetland Sheepdog",
    "Shih Tzu",                   "Siberian Husky",             "Standard Poodle",
    "Standard Schnauzer",         "Toy Poodle",                 "Vizsla",
    "Weimaraner",                 "Welsh Springer Spaniel",     "West Highland White Terrier",
    "Whippet",                    "Yorkshire Terrier",
};

inline constexpr std::array kClubWords = {
    "Riverbend", "High Desert", "Blue Ridge", "Prairie Wind", "Cascade",  "Lakeshore",
    "Red Rock",  "Pine Valley", "Tri-County", "Coastal",      "Heartland","Summit",
    "Golden Plains","Big Sky",  "Green Mountain","Canyon",    "Bayou",    "Northwoods",
    "Sandhills", "Timberline",
};

inline constexpr std::array kClubKinds = {
    "Agility Club", "Dog Sports Club", "Agility Association", "Canine Athletes", "Agility Team",
};

} // namespace data::demo
