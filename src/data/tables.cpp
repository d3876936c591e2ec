#include "data/tables.h"

#include <algorithm>

namespace data {
namespace {

using Fields = xbase::FieldList;
using Tags = xbase::TagList;

template <typename T>
void append(QList<T>& to, const QList<T>& more)
{
    to.append(more);
}

Fields dogMasterFields()
{
    return {{"member_id", 'C', 5},  {"dog_id", 'C', 2},     {"call_name", 'C', 15},
            {"breed", 'C', 40},     {"birthdate", 'D', 8},  {"height", 'N', 5, 2},
            {"perm_card", 'C', 9},  {"legal_age", 'D', 8},  {"check_ht", 'C', 3},
            {"chk_ht_dat", 'D', 8}, {"owner", 'C', 45}};
}

Fields membersFields()
{
    return {{"member_id", 'C', 5}, {"prim_first", 'C', 25}, {"prim_last", 'C', 25},
            {"address", 'C', 40},  {"city", 'C', 30},       {"state", 'C', 20},
            {"zip", 'C', 10},      {"country", 'C', 6},     {"phone", 'C', 14},
            {"email", 'C', 50},    {"prt_label", 'L', 1}};
}

Fields myMembersFields()
{
    // Dates are stored eight wide whatever width a table declares.
    return {{"member_id", 'C', 5}, {"prim_first", 'C', 25}, {"prim_last", 'C', 17},
            {"address", 'C', 30},  {"city", 'C', 20},       {"state", 'C', 20},
            {"zip", 'C', 10},      {"country", 'C', 6},     {"phone", 'C', 14},
            {"email", 'C', 50},    {"notes", 'C', 80},      {"modified", 'D', 8}};
}

Tags memberTags()
{
    return {{"NAME", "upper(prim_last - prim_first)"},
            {"MEMID", "member_id"},
            {"FIRST", "upper(prim_first - prim_last)"},
            {"CITY", "upper(city)+upper(prim_last+prim_first)"},
            {"STATE", "upper(State+city)+upper(prim_last+prim_first)"},
            {"ZIP", "upper(zip)+upper(prim_last+prim_first)"}};
}

Fields judgesFields()
{
    return {{"judgecode", 'C', 20}, {"jfirst", 'C', 25},    {"jlast", 'C', 25},
            {"jaddress", 'C', 40},  {"jcity", 'C', 30},     {"jstate", 'C', 20},
            {"jzip", 'C', 10},      {"jcountry", 'C', 6},   {"clubphone", 'C', 14},
            {"clubwork", 'C', 14},  {"clubemail", 'C', 60}, {"clubfax", 'C', 14},
            {"status", 'C', 12},    {"judge_id", 'C', 5}};
}

Fields hostClubsFields()
{
    return {{"club_code", 'C', 13}, {"club_name", 'C', 60}, {"club_num", 'C', 4},
            {"contact", 'C', 50},   {"caddress", 'C', 30},  {"ccity", 'C', 20},
            {"cstate", 'C', 20},    {"czip", 'C', 10},      {"ccountry", 'C', 6},
            {"cphone", 'C', 12},    {"cemail", 'C', 50},    {"cwebsite", 'C', 60},
            {"cnotes", 'C', 60}};
}

Fields updatesFields()
{
    return {{"member_id", 'C', 5},  {"dog_id", 'C', 2},  {"call_name", 'C', 15},
            {"breed_chg", 'L', 1},  {"breed", 'C', 40},  {"member_chg", 'L', 1},
            {"address", 'C', 30},   {"city", 'C', 20},   {"state", 'C', 12},
            {"zip", 'C', 10},       {"country", 'C', 20}, {"phone", 'C', 14},
            {"email", 'C', 60}};
}

Fields showDatesFields()
{
    Fields f{{"show_num", 'N', 5}, {"num_days", 'N', 1}, {"show_date", 'D', 8}};
    // Run counts here list Jackpot before Snooker, unlike the entries file.
    const char* runClasses[] = {"std", "clrs", "wild", "jack", "snok", "full", "jump"};
    for (int day = 1; day <= 4; ++day) {
        const QString d = QStringLiteral("d%1_").arg(day);
        for (int lev = 1; lev <= 5; ++lev)
            f.push_back({d + QStringLiteral("lev%1").arg(lev), 'L', 1});
        f.push_back({d + "levc", 'L', 1});
        for (const char* c : runClasses)
            f.push_back({d + c, 'N', 1});
    }
    for (int day = 1; day <= 4; ++day)
        f.push_back({QStringLiteral("d%1_levs").arg(day), 'L', 1});
    return f;
}

Fields mailFields()
{
    return {{"first", 'C', 25},   {"last", 'C', 20},    {"owner2", 'C', 50},
            {"lastshow", 'C', 30}, {"address", 'C', 30}, {"city", 'C', 20},
            {"state", 'C', 20},   {"zip", 'C', 10},     {"country", 'C', 20},
            {"phone", 'C', 14},   {"email", 'C', 60}};
}

// The entries layout; the previous format lacks only the trailing gate key.
Fields entriesFields(bool withGateKey)
{
    Fields f{{"mem_dog_id", 'C', 8}, {"call_name", 'C', 15}, {"breed", 'C', 40},
             {"first", 'C', 25},     {"last", 'C', 25},      {"address", 'C', 40},
             {"city", 'C', 30},      {"state", 'C', 20},     {"zip", 'C', 10},
             {"country", 'C', 20},   {"phone", 'C', 14},     {"email", 'C', 50},
             {"armband", 'C', 6},    {"handler", 'C', 25},   {"bdate", 'D', 8},
             {"pcard", 'C', 3},      {"ht_cat", 'C', 1},     {"handicap", 'L', 1},
             {"feo", 'L', 1},        {"reg_ht", 'C', 2},     {"vet_ht", 'C', 2},
             {"spec_ht", 'C', 2},    {"srt_ht", 'C', 1},     {"show_num", 'N', 5}};
    const char* classes[] = {"std", "clrs", "wild", "snok", "jack", "full", "jump"};
    for (int day = 1; day <= 4; ++day) {
        for (const char* c : classes) {
            const QString p = QStringLiteral("d%1_%2_").arg(day).arg(QLatin1String(c));
            f.push_back({p + "1", 'L', 1});
            f.push_back({p + "2", 'L', 1});
            f.push_back({p + "3", 'L', 1});
            // Standard spells its level field "_lev", the others "_lv".
            f.push_back({p + (qstrcmp(c, "std") == 0 ? "lev" : "lv"), 'C', 1});
        }
    }
    append<xbase::FieldDef>(f, {{"volunteer", 'L', 1}, {"emailsent", 'L', 1}, {"notes", 'C', 50}, {"printit", 'L', 1}});
    if (withGateKey)
        f.push_back({"gatekey", 'C', 4});
    return f;
}

Tags entriesTags()
{
    return {{"NAME", "upper(last - first)"},
            {"IDKEY", "mem_dog_id"},
            {"ARMBAND", "armband"},
            {"SORTHTA", "reg_ht+srt_ht"},
            {"SORTHTD", "reg_ht+srt_ht", true},
            {"namearm", "upper(last+first)+armband"},
            {"CALLNAM", "upper(call_name)+armband"},
            {"GATEKEY", "upper(gatekey)+armband"}};
}

Fields levGroupFields()
{
    return {{"show_num", 'N', 5},  {"day_num", 'C', 1},   {"classname", 'C', 15},
            {"round", 'C', 1},     {"available", 'C', 7}, {"group_a", 'C', 7},
            {"group_b", 'C', 7},   {"group_c", 'C', 7},   {"group_d", 'C', 7}};
}

Tags levKeyTags()
{
    return {{"LEVKEY", "day_num+round+classname"}, {"ClASSNAME", "day_num+classname+round"}};
}

Fields runOrderFields()
{
    return {{"show_num", 'N', 5}, {"day_num", 'C', 1}, {"classname", 'C', 15}, {"round", 'C', 1},
            {"levels", 'C', 7},   {"ring", 'C', 1},    {"srt_key", 'C', 2}};
}

Fields jumpHtsFields()
{
    return {{"show_num", 'N', 5}, {"day_num", 'C', 1}, {"ring", 'C', 1},
            {"jump_ht", 'C', 2},  {"ht_key", 'C', 1}};
}

Fields shwJudgesFields()
{
    return {{"show_num", 'N', 5},   {"day_num", 'C', 1}, {"judge", 'C', 20},
            {"classname", 'C', 15}, {"round", 'C', 1},   {"levels", 'C', 7}};
}

Fields sctInfoFields()
{
    return {{"show_num", 'N', 5}, {"day_num", 'C', 1},  {"ring", 'C', 1},     {"classname", 'C', 15},
            {"round", 'C', 1},    {"levels", 'C', 7},   {"srt_key", 'C', 2},  {"yards", 'C', 3},
            {"time8", 'C', 6},    {"time16", 'C', 6},   {"time8_2", 'C', 6},  {"time16_2", 'C', 6},
            {"time8_3", 'C', 6},  {"time16_3", 'C', 6}, {"e_time8", 'C', 6},  {"e_time16", 'C', 6}};
}

Tags lookupTags()
{
    return {{"LOOKUP", "day_num+classname+round+levels"}};
}

Fields catalogFields()
{
    return {{"mem_dog_id", 'C', 8}, {"call_name", 'C', 15}, {"breed", 'C', 32},
            {"first", 'C', 25},     {"last", 'C', 25},      {"armband", 'C', 6},
            {"handler", 'C', 25},   {"ht_cat", 'C', 1},     {"handicap", 'C', 1},
            {"feo", 'C', 1},        {"jump_ht", 'C', 2},    {"show_num", 'N', 5},
            {"day_num", 'C', 1},    {"showdate", 'D', 8},   {"ring", 'C', 1},
            {"classname", 'C', 10}, {"round", 'C', 1},      {"level", 'C', 1},
            {"time", 'C', 6},       {"pts_faults", 'N', 2}, {"q_nq", 'C', 2},
            {"place", 'C', 1},      {"srt_key", 'C', 2},    {"levels", 'C', 7},
            {"ht_key", 'C', 1},     {"club_code", 'C', 8},  {"judge", 'C', 20},
            {"class_ht", 'C', 2},   {"htcat_srt", 'C', 1},  {"gatekey", 'C', 4}};
}

const char* const kCatKey = "day_num+ring+srt_key+ht_key+gatekey+armband";
const char* const kTableKey = "day_num+ring+srt_key+level+htcat_srt+class_ht+armband";

Fields resultsFields()
{
    return {{"mem_dog_id", 'C', 8}, {"call_name", 'C', 15}, {"breed", 'C', 32},
            {"first", 'C', 25},     {"last", 'C', 25},      {"armband", 'C', 6},
            {"handler", 'C', 25},   {"handicap", 'C', 1},   {"feo", 'C', 1},
            {"jump_ht", 'C', 2},    {"show_num", 'N', 5},   {"day_num", 'C', 1},
            {"showdate", 'D', 8},   {"ring", 'C', 1},       {"classname", 'C', 15},
            {"round", 'C', 1},      {"level", 'C', 1},      {"time", 'C', 6},
            {"pts_faults", 'N', 3}, {"q_nq", 'C', 2},       {"place", 'C', 1},
            {"srt_key", 'C', 2},    {"levels", 'C', 7},     {"ht_key", 'C', 1},
            {"club_code", 'C', 13}, {"judge", 'C', 20},     {"fullarm", 'C', 10},
            {"srt_q", 'C', 1},      {"srt_time", 'C', 6},   {"srt_score", 'C', 3},
            {"class_ht", 'C', 2},   {"ht_cat", 'C', 1},     {"htcat_srt", 'C', 1},
            {"gatekey", 'C', 4},    {"autolink", 'N', 7}};
}

Fields hitInfoFields()
{
    Fields f{{"mem_dog_id", 'C', 8}, {"call_name", 'C', 15}, {"armband", 'C', 6},
             {"veteran", 'L', 1},    {"handicap", 'L', 1},   {"enthusiast", 'L', 1},
             {"specialist", 'L', 1}, {"height", 'C', 2}};
    for (int day = 1; day <= 4; ++day) {
        const QString d = QStringLiteral("d%1_").arg(day);
        append<xbase::FieldDef>(f, {{d + "std_lev", 'C', 1}, {d + "std_pts", 'N', 5}, {d + "std_per", 'N', 9, 4},
                   {d + "gam_lev", 'C', 1}, {d + "gam_pts", 'N', 5}, {d + "gam_per", 'N', 9, 4},
                   {d + "pts", 'N', 5},     {d + "per", 'N', 9, 4}});
    }
    append<xbase::FieldDef>(f, {{"std_pts", 'N', 6},  {"std_per", 'N', 10, 4}, {"gam_pts", 'N', 6},
               {"gam_per", 'N', 10, 4}, {"cum_pts", 'N', 6},  {"cum_per", 'N', 10, 4},
               {"breed", 'C', 40},   {"htsrt", 'C', 2},       {"std_lev", 'C', 1},
               {"gam_lev", 'C', 1},  {"ht_cat", 'C', 1},      {"state", 'C', 4},
               {"catsrt", 'C', 1},   {"levsrt", 'C', 1}});
    return f;
}

Tags hitInfoTags()
{
    Tags t{{"MemDog", "mem_dog_id"}, {"Armband", "armband"}, {"Callname", "upper(call_name)"}};
    // The ranking tags are descending, so the first record in their order is the
    // highest score; recno() at the end keeps every key unique.
    for (int day = 1; day <= 4; ++day) {
        const QString d = QStringLiteral("d%1_").arg(day);
        t.push_back({QStringLiteral("Std%1").arg(day),
                     "htsrt+" + d + "std_lev+str(" + d + "std_pts,5)+str(" + d + "std_per,9,4)+str(recno(),5)", true});
        t.push_back({QStringLiteral("Gam%1").arg(day),
                     "htsrt+" + d + "gam_lev+str(" + d + "gam_pts,5)+str(" + d + "gam_per,9,4)+str(recno(),5)", true});
        t.push_back({QStringLiteral("Cum%1").arg(day),
                     "htsrt+str(" + d + "pts,5)+str(" + d + "per,9,4)+str(recno(),5)", true});
    }
    append<xbase::TagDef>(t, {{"HtAllStd", "htsrt+catsrt+levsrt+str(std_pts,6)+str(std_per,9,4)+str(recno(),5)", true},
               {"HtAllGam", "htsrt+catsrt+gam_lev+str(gam_pts,6)+str(gam_per,9,4)+str(recno(),5)", true},
               {"AllCum", "str(cum_pts,6)+str(cum_per,9,4)+str(recno(),5)", true},
               {"BreedCum", "upper(breed)+str(cum_pts,6)+str(cum_per,9,4)+str(recno(),5)", true},
               {"StateCum", "upper(state)+str(cum_pts,6)+str(cum_per,9,4)+str(recno(),5)", true}});
    return t;
}

Fields agxReportFields()
{
    return {{"show_num", 'N', 5}, {"day_num", 'C', 1}, {"memo1", 'M', 10},
            {"qcount", 'N', 3},   {"club_code", 'C', 8}, {"show_date", 'D', 8}};
}

Fields countsFields()
{
    return {{"day_num", 'C', 1}, {"classname", 'C', 15}, {"round", 'C', 1},
            {"group_a", 'C', 7}, {"a_ct", 'N', 3},       {"group_b", 'C', 7},
            {"b_ct", 'N', 3},    {"group_c", 'C', 7},    {"c_ct", 'N', 3},
            {"group_d", 'C', 7}, {"d_ct", 'N', 3},       {"total", 'N', 5}};
}

Fields scribeFields()
{
    return {{"fullarm", 'C', 10},  {"call_name", 'C', 15}, {"breed", 'C', 32},
            {"jump_ht", 'C', 2},   {"classname", 'C', 10}, {"round", 'C', 1},
            {"level", 'C', 1},     {"htcat", 'C', 1},      {"daydate", 'C', 10},
            {"handler", 'C', 25},  {"handicap", 'L', 1},   {"gatekey", 'C', 4}};
}

Fields vScribeFields()
{
    return {{"day", 'C', 1},       {"ring", 'C', 1},       {"srt_key", 'C', 2},
            {"ht_key", 'C', 1},    {"class_ht", 'C', 2},   {"armband", 'C', 6},
            {"fullarm", 'C', 10},  {"call_name", 'C', 15}, {"breed", 'C', 32},
            {"jump_ht", 'C', 2},   {"classname", 'C', 10}, {"round", 'C', 1},
            {"level", 'C', 1},     {"htcat", 'C', 1},      {"daydate", 'D', 8},
            {"handler", 'C', 25},  {"handicap", 'L', 1},   {"gatekey", 'C', 4}};
}

Fields vRibbonsFields()
{
    return {{"showdate", 'D', 8},   {"class", 'C', 15},     {"level", 'C', 1},
            {"ht_cat", 'C', 1},     {"class_ht", 'C', 2},   {"mem_dog_id", 'C', 8},
            {"call_name", 'C', 15}, {"sct", 'C', 2},        {"yards", 'C', 3},
            {"pts_flts", 'N', 3},   {"time", 'C', 6},       {"judge", 'C', 20},
            {"place", 'C', 1},      {"q_nq", 'C', 2},       {"clubname", 'C', 60}};
}

Fields vhitrepFields()
{
    return {{"mem_dog_id", 'C', 8}, {"call_name", 'C', 15}, {"height", 'C', 2},
            {"htcat", 'C', 1},      {"lev", 'C', 1},        {"points", 'N', 6},
            {"percent", 'N', 10, 4}, {"place", 'N', 2},     {"breed", 'C', 40},
            {"htsrt", 'C', 2},      {"owner", 'C', 45},     {"state", 'C', 4}};
}

Fields vHtMeasFields()
{
    return {{"owner", 'C', 50}, {"arm", 'C', 8},   {"jmpht", 'C', 2},   {"callname", 'C', 15},
            {"breed", 'C', 40}, {"memdog", 'C', 8}, {"pcard", 'C', 2},  {"entered", 'C', 7}};
}

Fields vWorker1Fields()
{
    Fields f{{"first", 'C', 25}, {"last", 'C', 20}, {"arm", 'C', 6}, {"jmpht", 'C', 2}};
    for (int day = 1; day <= 4; ++day) {
        for (int col = 1; col <= 6; ++col) {
            const QString p = QStringLiteral("d%1c%2").arg(day).arg(col);
            f.push_back({p + "_nam", 'C', 4});
            f.push_back({p, 'C', 1});
        }
    }
    return f;
}

std::vector<TableDef> makeDefs()
{
    using enum TableId;
    const Tags none;
    std::vector<TableDef> d;
    // Installation tables. Members and DogMaster have their own rules for a
    // missing file; breeds.dbf and sclubs.dbf only ever come from AGX.
    d.push_back({DogMaster, "DogMaster", Folder::AgxData, "sxdogmast2.dbf", dogMasterFields(),
                 {{"IDKEY", "member_id + dog_id"}, {"CALLNAME", "upper(call_name)"}}, "IDKEY",
                 Scrambling::ReadOnly, false});
    d.push_back({Members, "Members", Folder::AgxData, "sxMembers.dbf", membersFields(), memberTags(), "NAME",
                 Scrambling::Both, false});
    d.push_back({MyMembers, "MyMembers", Folder::UserData, "MyMember.dbf", myMembersFields(), memberTags(),
                 "MEMID"});
    d.push_back({Judges, "Judges", Folder::AgxData, "sjudges.dbf", judgesFields(),
                 {{"NAME", "upper(jlast - jfirst)"}, {"STATE", "jstate+jcity+jlast+jfirst"}}, "NAME"});
    d.push_back({Breeds, "Breeds", Folder::AgxData, "breeds.dbf", {}, {{"BREEDNAME", "upper(breed_name)"}},
                 "BREEDNAME", Scrambling::None, false});
    d.push_back({HostClubs, "HostClubs", Folder::AgxData, "sclubs.dbf", hostClubsFields(), none, {},
                 Scrambling::None, false});
    d.push_back({Updates, "Updates", Folder::AgxData, "updates.dbf", updatesFields(),
                 {{"IDKEY", "member_id+dog_id"}}, "IDKEY"});
    d.push_back({ShowDates, "ShowDates", Folder::UserData, "shwdates2.dbf", showDatesFields(),
                 {{"SHOWNUM", "str(show_num,5)"}, {"SHOWDATE", "dtos(show_date)"}}, "SHOWNUM"});
    d.push_back({Mail, "Mail", Folder::UserData, "maildb.dbf", mailFields(),
                 {{"NAME", "upper(last - first)"}, {"ZIP", "zip+upper(last - first)"}}, "NAME"});
    d.push_back({Show, "Show", Folder::PgmData, "showdb36a.dbf", entriesFields(true), none, {}});
    d.push_back({ShowOld, "Show", Folder::PgmData, "showdb36.dbf", entriesFields(false), none, {}});
    d.push_back({TzDbf1, "TzDbf1", Folder::Shows, {}, entriesFields(true), entriesTags(), "NAME",
                 Scrambling::Both, false});
    // Tables of one trial, in its folder.
    d.push_back({LevGroup, "LevGroup", Folder::Trial, "levgroup.dbf", levGroupFields(), levKeyTags(), "LEVKEY"});
    d.push_back({RunOrder, "RunOrder", Folder::Trial, "runorder.dbf", runOrderFields(),
                 {{"RUNKEY", "day_num+round+classname+srt_key"}, {"CATKEY", "day_num+ring+srt_key+round+classname"}},
                 "CATKEY"});
    d.push_back({JumpHts, "JumpHts", Folder::Trial, "heights.dbf", jumpHtsFields(),
                 {{"HTKEY", "day_num+ring+jump_ht"}, {"RUNKEY", "day_num+ring+ht_key"}}, "HTKEY"});
    d.push_back({ShwJudges, "ShwJudges", Folder::Trial, "shwjudge.dbf", shwJudgesFields(),
                 {{"JUDGE", "day_num+judge+classname+round"}, {"DAYKEY", "day_num+round+classname"}}, "DAYKEY"});
    d.push_back({SCTInfo, "SCTInfo", Folder::Trial, {}, sctInfoFields(), lookupTags(), "LOOKUP"});
    d.push_back({Catalog, "Catalog", Folder::Trial, "catalog.dbf", catalogFields(),
                 {{"CLASSKEY", "day_num+round+classname+htcat_srt"}, {"CATKEY", kCatKey}, {"TABLEKEY", kTableKey}},
                 "CLASSKEY"});
    d.push_back({Results, "Results", Folder::Trial, {}, resultsFields(),
                 {{"CATKEY", kCatKey},
                  {"TABLEKEY", kTableKey},
                  {"LOOKUP", "day_num+ring+classname+round+levels+armband"},
                  {"UPDKEY", "day_num+round+classname+mem_dog_id+level"},
                  {"SCORES", "day_num+ring+srt_key+level+htcat_srt+class_ht+srt_q+srt_score+srt_time"}},
                 "LOOKUP"});
    d.push_back({HITinfo, "HITinfo", Folder::Trial, "HITinfo.dbf", hitInfoFields(), hitInfoTags(), "MemDog"});
    d.push_back({AGXreport, "AGXreport", Folder::Trial, "agxreport.dbf", agxReportFields(), none, {}});
    // Work tables.
    d.push_back({Counts, "Counts", Folder::PgmData, "Counts.dbf", countsFields(), levKeyTags(), "LEVKEY"});
    d.push_back({Scribe, "Scribe", Folder::PgmData, "Scribe3.dbf", scribeFields(), none, {}});
    d.push_back({vScribe, "vScribe", Folder::PgmData, "vScribe3.dbf", vScribeFields(),
                 {{"CATKEY", "day+ring+srt_key+ht_key+gatekey+armband"}}, "CATKEY"});
    d.push_back({Vresults, "Vresults", Folder::PgmData, "VResults36a.dbf", resultsFields(), none, {}});
    d.push_back({Vsct, "Vsct", Folder::PgmData, "Vsct3.dbf", sctInfoFields(), lookupTags(), "LOOKUP"});
    d.push_back({VRibbons, "VRibbons", Folder::PgmData, "vribbon3.dbf", vRibbonsFields(), none, {}});
    d.push_back({vhitrep, "vhitrep", Folder::PgmData, "vhitrep.dbf", vhitrepFields(), none, {}});
    d.push_back({vRunOrd, "vRunOrd", Folder::PgmData, "vRunOrd.dbf", runOrderFields(), none, {}});
    d.push_back({vLevGrp, "vLevGrp", Folder::PgmData, "vLevGrp3.dbf", levGroupFields(), none, {}});
    d.push_back({vjdgdum, "vjdgdum", Folder::PgmData, "vjdgdum.dbf", shwJudgesFields(), none, {}});
    d.push_back({vHtMeas, "vHtMeas", Folder::PgmData, "vHtMeas.dbf", vHtMeasFields(), none, {}});
    d.push_back({vWorker1, "vWorker1", Folder::PgmData, "Vworker1.dbf", vWorker1Fields(), none, {}});
    d.push_back({TempDb, "tempdb", Folder::PgmData, "tempdb.dbf", entriesFields(false), none, {},
                 Scrambling::None, false});
    return d;
}

} // namespace

const std::vector<TableDef>& allTableDefs()
{
    static const std::vector<TableDef> defs = makeDefs();
    return defs;
}

const TableDef& tableDef(TableId id)
{
    const auto& defs = allTableDefs();
    auto it = std::find_if(defs.begin(), defs.end(), [id](const TableDef& d) { return d.id == id; });
    Q_ASSERT(it != defs.end());
    return *it;
}

int recordLength(const xbase::FieldList& fields)
{
    int length = 1;
    for (const auto& f : fields)
        length += f.width;
    return length;
}

int fieldIndex(const xbase::FieldList& fields, const QString& name)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

} // namespace data
