#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;
class QWidget;

// Every message box, input box and standard dialog of the program goes through the
// current Dialogs instance, so that tests can script the answers (see
// tests/support/scripteddialogs.h). Windows call Dialogs::current().

enum class MessageIcon { None, Stop, Information, Question, Exclamation };

struct MessageRequest
{
    QString title;                 // empty: the box has no title of its own
    MessageIcon icon = MessageIcon::Information;
    QString text;                  // raw text: ";" and "\r\n" become line breaks when shown
    QStringList buttons;           // captions in the order shown; empty means a single "OK"
    int defaultButton = 0;         // index into buttons; Enter presses it
    int escapeButton = -1;         // index into buttons pressed by Esc/closing; -1: closing answers ""
};

struct InputRequest
{
    QString title;
    QString prompt;
    QString defaultText;
    bool questionIcon = false;
};

// Filters use the "description|pattern|description|pattern" form, e.g.
// "Show Databases  (*.dbf)|*.dbf". Patterns match regardless of letter case.
struct FileRequest
{
    QString title;
    QString filter;
    QString defaultExtension;      // without the dot; added when the typed name has none
    QString initialFolder;
    QString fileName;              // proposed name (may be a full path)
    bool mustExist = true;         // open dialogs only: accept only existing files
    bool confirmOverwrite = true;  // save dialogs only
};

struct FolderRequest
{
    QString title;
    QString initialFolder;
};

struct PrintRequest
{
    int fromPage = 0;              // 0/0: no page range offered
    int toPage = 0;
    bool clearCopies = false;      // open with the copies field back at 1
};

class Dialogs
{
public:
    virtual ~Dialogs();

    // The instance every window uses. Tests install a scripted one; nullptr restores the Qt one.
    static Dialogs& current();
    static void setCurrent(Dialogs* dialogs);

    // Returns the caption chosen, or "" when the box was closed without a choice
    // (unless escapeButton names the caption Esc stands for). With no captions the
    // answer is "OK".
    virtual QString showMessage(const MessageRequest& request) = 0;

    // std::nullopt when cancelled; an empty string when OK was pressed on an empty field.
    virtual std::optional<QString> showInput(const InputRequest& request) = 0;

    // The chosen path, or std::nullopt when cancelled.
    virtual std::optional<QString> showOpenFile(const FileRequest& request) = 0;
    virtual std::optional<QString> showSaveFile(const FileRequest& request) = 0;
    virtual std::optional<QString> showFolder(const FolderRequest& request) = 0;

    // The print dialog over printer; false when cancelled (print nothing then).
    virtual bool showPrint(QPrinter& printer, const PrintRequest& request) = 0;
    // The printer set-up dialog over printer; false when cancelled.
    virtual bool showPrinterSetup(QPrinter& printer) = 0;

    // The forms windows call.
    QString message(const MessageRequest& request) { return showMessage(request); }
    QString message(const QString& text, MessageIcon icon = MessageIcon::Information,
                    const QStringList& buttons = {}, const QString& title = {});
    std::optional<QString> input(const InputRequest& request) { return showInput(request); }
    std::optional<QString> input(const QString& title, const QString& prompt,
                                 const QString& defaultText = {}, bool questionIcon = false);
    std::optional<QString> openFile(const FileRequest& request) { return showOpenFile(request); }
    std::optional<QString> saveFile(const FileRequest& request) { return showSaveFile(request); }
    std::optional<QString> chooseFolder(const QString& title, const QString& initialFolder = {});
    bool print(QPrinter& printer, const PrintRequest& request = {}) { return showPrint(printer, request); }
    bool printerSetup(QPrinter& printer) { return showPrinterSetup(printer); }
    void information(const QString& text, const QString& title = {});
    void warning(const QString& text, const QString& title = {});   // exclamation icon
    void error(const QString& text, const QString& title = {});     // stop icon
};

// The one printer of the program: printer set-up changes it, and every job starts from it.
QPrinter& applicationPrinter();

// The text of a message as shown: ";" and "\r\n" (a real CR LF pair, or the four
// characters backslash r backslash n as stored in old texts) become line breaks.
QString messageDisplayText(const QString& storedText);

// Converts a "desc|pattern|desc|pattern" filter into Qt's name-filter list, listing
// each pattern in lower and upper case as well so that *.dbf also finds *.DBF.
QStringList qtNameFilters(const QString& vclFilter);

// Adds ".ext" to path when its file name has no extension (ext given without the dot).
QString withDefaultExtension(const QString& path, const QString& ext);

// The real dialogs, parented to the active window.
class QtDialogs : public Dialogs
{
public:
    QString showMessage(const MessageRequest& request) override;
    std::optional<QString> showInput(const InputRequest& request) override;
    std::optional<QString> showOpenFile(const FileRequest& request) override;
    std::optional<QString> showSaveFile(const FileRequest& request) override;
    std::optional<QString> showFolder(const FolderRequest& request) override;
    bool showPrint(QPrinter& printer, const PrintRequest& request) override;
    bool showPrinterSetup(QPrinter& printer) override;
};
