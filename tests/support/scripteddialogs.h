#pragma once

#include "platform/ui/dialogs.h"
#include "support/qtprinters.h"

#include <QList>

#include <deque>
#include <optional>

// A Dialogs double for tests. It installs itself as the current Dialogs for its lifetime.
// Expected dialogs are answered in the order they were scripted; any dialog that was not
// scripted, or that differs from the next expectation, fails the running test (and gets
// a harmless answer: Esc for a message, Cancel for the others). An expectation still
// unused when the double is destroyed fails the test too.
//
//   ScriptedDialogs dialogs;
//   dialogs.expectMessage("Are you sure you want to permanently remove all Records from this Show?", "Yes");
//   dialogs.expectInput("Enter the Show Number: ", "12");
//   form.DoSomething();
class ScriptedDialogs : public Dialogs
{
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // text is the message as the program stores it (";" included); answer must be one of
    // the box's captions ("OK" for a box without captions).
    ScriptedDialogs& expectMessage(const QString& text, const QString& answer = QStringLiteral("OK"));
    // The same, matching any message whose text contains fragment.
    ScriptedDialogs& expectMessageContaining(const QString& fragment, const QString& answer = QStringLiteral("OK"));
    // answer std::nullopt presses Cancel.
    ScriptedDialogs& expectInput(const QString& prompt, std::optional<QString> answer);
    ScriptedDialogs& expectOpenFile(std::optional<QString> path);
    ScriptedDialogs& expectSaveFile(std::optional<QString> path);
    ScriptedDialogs& expectFolder(std::optional<QString> path);
    ScriptedDialogs& expectPrint(bool accept);
    ScriptedDialogs& expectPrinterSetup(bool accept);

    // Every dialog shown so far, in order, for closer checks.
    const QList<MessageRequest>& messages() const { return m_messages; }
    const QList<InputRequest>& inputs() const { return m_inputs; }
    const QList<FileRequest>& fileRequests() const { return m_files; }
    const QList<FolderRequest>& folderRequests() const { return m_folders; }

    // Whether every expectation has been used.
    bool allUsed() const { return m_expected.empty(); }

    QString showMessage(const MessageRequest& request) override;
    std::optional<QString> showInput(const InputRequest& request) override;
    std::optional<QString> showOpenFile(const FileRequest& request) override;
    std::optional<QString> showSaveFile(const FileRequest& request) override;
    std::optional<QString> showFolder(const FolderRequest& request) override;
    bool showPrint(QPrinter& printer, const PrintRequest& request) override;
    bool showPrinterSetup(QPrinter& printer) override;

private:
    enum class Kind { Message, MessageContaining, Input, OpenFile, SaveFile, Folder, Print, PrinterSetup };
    struct Expectation
    {
        Kind kind;
        QString text;
        std::optional<QString> answer;
        bool accept = false;
    };

    std::optional<Expectation> take(Kind kind, const QString& shown);

    Dialogs* m_previous = nullptr;
    std::deque<Expectation> m_expected;
    QList<MessageRequest> m_messages;
    QList<InputRequest> m_inputs;
    QList<FileRequest> m_files;
    QList<FolderRequest> m_folders;
};
