#include "platform/printing/richtextviewer.h"

#include "platform/ui/dialogs.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

RichTextViewer::RichTextViewer(const QString& caption, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    m_print.title = caption;
    auto* layout = new QVBoxLayout(this);
    m_edit = new QTextEdit(this);
    m_edit->setLineWrapMode(QTextEdit::NoWrap);
    layout->addWidget(m_edit, 1);
    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(tr("Sa&ve As"), this);
    auto* print = new QPushButton(tr("&Print"), this);
    auto* close = new QPushButton(tr("&Close"), this);
    connect(save, &QPushButton::clicked, this, &RichTextViewer::saveAs);
    connect(print, &QPushButton::clicked, this, &RichTextViewer::print);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(save);
    buttons->addWidget(print);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(800, 600);
}

QTextDocument* RichTextViewer::document() const
{
    return m_edit->document();
}

void RichTextViewer::setEditable(bool editable)
{
    m_edit->setReadOnly(!editable);
}

void RichTextViewer::setSaveFilter(const QString& filter, const QString& defaultExtension)
{
    m_filter = filter;
    m_extension = defaultExtension;
}

bool RichTextViewer::saveAs()
{
    FileRequest request;
    request.title = QStringLiteral("Save As");
    request.filter = m_filter;
    request.defaultExtension = m_extension;
    const std::optional<QString> path = Dialogs::current().saveFile(request);
    if (!path)
        return false;
    QString error;
    if (!saveRichText(*document(), *path, &error)) {
        Dialogs::current().error(error);
        return false;
    }
    return true;
}

void RichTextViewer::print()
{
    printRichText(applicationPrinter(), *document(), m_print, PrintServices::fromDialogs(this));
}
