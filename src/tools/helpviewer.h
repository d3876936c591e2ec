#pragma once

#include <QDialog>

class QTextBrowser;

// Help texts are HTML files in the help/ folder of the program folder, named after the
// topic: helpFilePath("gatekeys") is help/gatekeys.html, found whatever its letter case.
QString helpFilePath(const QString& topic);

// Shows the help text of topic in the help viewer, or a message naming the missing file.
void showHelp(const QString& topic, QWidget* parent = nullptr);

// The help viewer: the text, with Print and Close.
class THelpForm : public QDialog
{
    Q_OBJECT
public:
    THelpForm(const QString& path, QWidget* parent = nullptr);

    QTextBrowser* browser() const { return m_browser; }

private:
    void PrintClick();

    QTextBrowser* m_browser = nullptr;
};
