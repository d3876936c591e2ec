#pragma once

#include "platform/printing/richtext.h"

#include <QDialog>

class QTextEdit;

// Shows a document built in code, editable or not, with Save As (RTF or plain
// text by the chosen name) and Print. The edit box brings the usual edit actions.
class RichTextViewer : public QDialog
{
    Q_OBJECT
public:
    explicit RichTextViewer(const QString& caption, QWidget* parent = nullptr);

    QTextEdit* editor() const { return m_edit; }
    QTextDocument* document() const;
    void setEditable(bool editable);
    RichPrintOptions& printOptions() { return m_print; }
    // The save dialog's filter, in the Dialogs form "description|pattern|...".
    void setSaveFilter(const QString& filter, const QString& defaultExtension);

public slots:
    bool saveAs();
    void print();

private:
    QTextEdit* m_edit;
    RichPrintOptions m_print;
    QString m_filter = QStringLiteral("Rich Text Files (*.rtf)|*.rtf|Text files (*.txt)|*.txt");
    QString m_extension = QStringLiteral("rtf");
};
