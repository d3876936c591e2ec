#include "support/scripteddialogs.h"

#include <gtest/gtest.h>

namespace {

const char* kindName(int kind)
{
    static const char* names[] = {"message", "message", "input box", "file-open dialog",
                                  "file-save dialog", "folder browser", "print dialog", "printer set-up"};
    return names[kind];
}

} // namespace

ScriptedDialogs::ScriptedDialogs() : m_previous(&Dialogs::current())
{
    Dialogs::setCurrent(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    for (const Expectation& e : m_expected)
        ADD_FAILURE() << "expected " << kindName(int(e.kind)) << " never shown: " << e.text.toStdString();
    Dialogs::setCurrent(m_previous == this ? nullptr : m_previous);
}

ScriptedDialogs& ScriptedDialogs::expectMessage(const QString& text, const QString& answer)
{
    m_expected.push_back({Kind::Message, text, answer});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectMessageContaining(const QString& fragment, const QString& answer)
{
    m_expected.push_back({Kind::MessageContaining, fragment, answer});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectInput(const QString& prompt, std::optional<QString> answer)
{
    m_expected.push_back({Kind::Input, prompt, std::move(answer)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectOpenFile(std::optional<QString> path)
{
    m_expected.push_back({Kind::OpenFile, {}, std::move(path)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectSaveFile(std::optional<QString> path)
{
    m_expected.push_back({Kind::SaveFile, {}, std::move(path)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectFolder(std::optional<QString> path)
{
    m_expected.push_back({Kind::Folder, {}, std::move(path)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectPrint(bool accept)
{
    m_expected.push_back({Kind::Print, {}, std::nullopt, accept});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectPrinterSetup(bool accept)
{
    m_expected.push_back({Kind::PrinterSetup, {}, std::nullopt, accept});
    return *this;
}

std::optional<ScriptedDialogs::Expectation> ScriptedDialogs::take(Kind kind, const QString& shown)
{
    const bool isMessage = kind == Kind::Message;
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(int(kind)) << ": " << shown.toStdString();
        return std::nullopt;
    }
    const Expectation& next = m_expected.front();
    bool matches = false;
    if (isMessage && next.kind == Kind::Message)
        matches = next.text == shown;
    else if (isMessage && next.kind == Kind::MessageContaining)
        matches = shown.contains(next.text);
    else if (next.kind == kind)
        matches = kind != Kind::Input || next.text == shown;
    if (!matches) {
        ADD_FAILURE() << "unexpected " << kindName(int(kind)) << ": " << shown.toStdString()
                      << "\n  while expecting " << kindName(int(next.kind)) << ": " << next.text.toStdString();
        return std::nullopt;
    }
    Expectation e = next;
    m_expected.pop_front();
    return e;
}

QString ScriptedDialogs::showMessage(const MessageRequest& request)
{
    m_messages.append(request);
    const QStringList captions = request.buttons.isEmpty() ? QStringList{QStringLiteral("OK")} : request.buttons;
    const auto e = take(Kind::Message, request.text);
    if (!e) {
        if (request.escapeButton >= 0 && request.escapeButton < captions.size())
            return captions[request.escapeButton];
        return request.buttons.isEmpty() ? captions.first() : QString();
    }
    const QString answer = e->answer.value_or(QString());
    if (!captions.contains(answer))
        ADD_FAILURE() << "scripted answer \"" << answer.toStdString() << "\" is not a button of the message: "
                      << request.text.toStdString() << " (buttons: " << captions.join(", ").toStdString() << ")";
    return answer;
}

std::optional<QString> ScriptedDialogs::showInput(const InputRequest& request)
{
    m_inputs.append(request);
    const auto e = take(Kind::Input, request.prompt);
    return e ? e->answer : std::nullopt;
}

std::optional<QString> ScriptedDialogs::showOpenFile(const FileRequest& request)
{
    m_files.append(request);
    const auto e = take(Kind::OpenFile, request.title);
    return e ? e->answer : std::nullopt;
}

std::optional<QString> ScriptedDialogs::showSaveFile(const FileRequest& request)
{
    m_files.append(request);
    const auto e = take(Kind::SaveFile, request.title);
    return e ? e->answer : std::nullopt;
}

std::optional<QString> ScriptedDialogs::showFolder(const FolderRequest& request)
{
    m_folders.append(request);
    const auto e = take(Kind::Folder, request.title);
    return e ? e->answer : std::nullopt;
}

bool ScriptedDialogs::showPrint(QPrinter&, const PrintRequest&)
{
    const auto e = take(Kind::Print, {});
    return e && e->accept;
}

bool ScriptedDialogs::showPrinterSetup(QPrinter&)
{
    const auto e = take(Kind::PrinterSetup, {});
    return e && e->accept;
}
