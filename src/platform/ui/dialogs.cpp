#include "platform/ui/dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QVBoxLayout>

namespace {

Dialogs* g_current = nullptr;

QtDialogs& qtDialogs()
{
    static QtDialogs dialogs;
    return dialogs;
}

QWidget* dialogParent()
{
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

QPixmap iconPixmap(MessageIcon icon, QWidget* widget)
{
    QStyle::StandardPixmap which;
    switch (icon) {
    case MessageIcon::Stop: which = QStyle::SP_MessageBoxCritical; break;
    case MessageIcon::Information: which = QStyle::SP_MessageBoxInformation; break;
    case MessageIcon::Question: which = QStyle::SP_MessageBoxQuestion; break;
    case MessageIcon::Exclamation: which = QStyle::SP_MessageBoxWarning; break;
    default: return {};
    }
    const int size = widget->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, widget);
    return widget->style()->standardIcon(which, nullptr, widget).pixmap(size, size);
}

void addIcon(QHBoxLayout* row, MessageIcon icon, QWidget* dialog)
{
    QPixmap pixmap = iconPixmap(icon, dialog);
    if (pixmap.isNull())
        return;
    auto* label = new QLabel(dialog);
    label->setPixmap(pixmap);
    label->setAlignment(Qt::AlignTop);
    row->addWidget(label);
}

} // namespace

Dialogs::~Dialogs()
{
    if (g_current == this)
        g_current = nullptr;
}

Dialogs& Dialogs::current()
{
    return g_current ? *g_current : qtDialogs();
}

void Dialogs::setCurrent(Dialogs* dialogs)
{
    g_current = dialogs;
}

QString Dialogs::message(const QString& text, MessageIcon icon, const QStringList& buttons, const QString& title)
{
    MessageRequest request;
    request.title = title;
    request.icon = icon;
    request.text = text;
    request.buttons = buttons;
    return showMessage(request);
}

std::optional<QString> Dialogs::input(const QString& title, const QString& prompt,
                                      const QString& defaultText, bool questionIcon)
{
    InputRequest request;
    request.title = title;
    request.prompt = prompt;
    request.defaultText = defaultText;
    request.questionIcon = questionIcon;
    return showInput(request);
}

std::optional<QString> Dialogs::chooseFolder(const QString& title, const QString& initialFolder)
{
    FolderRequest request;
    request.title = title;
    request.initialFolder = initialFolder;
    return showFolder(request);
}

void Dialogs::information(const QString& text, const QString& title)
{
    message(text, MessageIcon::Information, {}, title);
}

void Dialogs::warning(const QString& text, const QString& title)
{
    message(text, MessageIcon::Exclamation, {}, title);
}

void Dialogs::error(const QString& text, const QString& title)
{
    message(text, MessageIcon::Stop, {}, title);
}

QPrinter& applicationPrinter()
{
    static QPrinter* printer = nullptr;
    if (!printer) {
        printer = new QPrinter(QPrinter::HighResolution);
        // Released with the application, while the print system is still there.
        qAddPostRoutine([] {
            delete printer;
            printer = nullptr;
        });
    }
    return *printer;
}

QString messageDisplayText(const QString& storedText)
{
    QString text = storedText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\\r\\n"), QLatin1String("\n"));
    text.replace(QLatin1Char(';'), QLatin1Char('\n'));
    return text;
}

QStringList qtNameFilters(const QString& vclFilter)
{
    QStringList result;
    const QStringList parts = vclFilter.split(QLatin1Char('|'));
    static const QRegularExpression trailingGroup(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(trailingGroup);
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            for (const QString& form : {pattern, pattern.toLower(), pattern.toUpper()})
                if (!patterns.contains(form))
                    patterns.append(form);
        }
        result.append(description.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    if (result.isEmpty())
        result.append(QStringLiteral("All files (*)"));
    return result;
}

QString withDefaultExtension(const QString& path, const QString& ext)
{
    if (ext.isEmpty() || path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + ext;
}

QString QtDialogs::showMessage(const MessageRequest& request)
{
    QStringList captions = request.buttons;
    if (captions.isEmpty())
        captions.append(QStringLiteral("OK"));

    QDialog box(dialogParent());
    box.setWindowTitle(request.title.isEmpty() ? QApplication::applicationName() : request.title);
    auto* layout = new QVBoxLayout(&box);
    auto* row = new QHBoxLayout;
    addIcon(row, request.icon, &box);
    auto* label = new QLabel(messageDisplayText(request.text), &box);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(label, 1);
    layout->addLayout(row);

    // Our own row of buttons: the captions keep the order the caller gave.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QString answer;
    for (qsizetype i = 0; i < captions.size(); ++i) {
        auto* button = new QPushButton(captions[i], &box);
        button->setAutoDefault(false);
        button->setDefault(i == request.defaultButton);
        QObject::connect(button, &QPushButton::clicked, &box, [&box, &answer, caption = captions[i]] {
            answer = caption;
            box.accept();
        });
        buttons->addWidget(button);
        if (i == request.defaultButton)
            button->setFocus();
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (box.exec() == QDialog::Accepted)
        return answer;
    if (request.escapeButton >= 0 && request.escapeButton < captions.size())
        return captions[request.escapeButton];
    return request.buttons.isEmpty() ? captions.first() : QString();
}

std::optional<QString> QtDialogs::showInput(const InputRequest& request)
{
    QDialog box(dialogParent());
    box.setWindowTitle(request.title);
    auto* layout = new QVBoxLayout(&box);
    auto* row = new QHBoxLayout;
    if (request.questionIcon)
        addIcon(row, MessageIcon::Question, &box);
    auto* column = new QVBoxLayout;
    auto* prompt = new QLabel(request.prompt, &box);
    prompt->setTextFormat(Qt::PlainText);
    auto* edit = new QLineEdit(request.defaultText, &box);
    edit->setMinimumWidth(260);
    edit->selectAll();
    column->addWidget(prompt);
    column->addWidget(edit);
    row->addLayout(column, 1);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(buttons);
    edit->setFocus();
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit->text();
}

namespace {

std::optional<QString> runFileDialog(const FileRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(dialogParent(), request.title, request.initialFolder);
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptOpen)
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    else
        dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setNameFilters(qtNameFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.fileName.isEmpty()) {
        const QFileInfo proposed(request.fileName);
        if (proposed.isAbsolute()) {
            dialog.setDirectory(proposed.absolutePath());
            dialog.selectFile(proposed.fileName());
        } else {
            dialog.selectFile(request.fileName);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return withDefaultExtension(dialog.selectedFiles().first(), request.defaultExtension);
}

} // namespace

std::optional<QString> QtDialogs::showOpenFile(const FileRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogs::showSaveFile(const FileRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<QString> QtDialogs::showFolder(const FolderRequest& request)
{
    const QString folder = QFileDialog::getExistingDirectory(dialogParent(), request.title, request.initialFolder);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

bool QtDialogs::showPrint(QPrinter& printer, const PrintRequest& request)
{
    if (request.clearCopies)
        printer.setCopyCount(1);
    QPrintDialog dialog(&printer, dialogParent());
    if (request.toPage > 0) {
        dialog.setMinMax(request.fromPage, request.toPage);
        dialog.setFromTo(request.fromPage, request.toPage);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    }
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::showPrinterSetup(QPrinter& printer)
{
    // Choosing the printer and its paper, without printing anything.
    QPrintDialog dialog(&printer, dialogParent());
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>())
        for (QAbstractButton* button : box->buttons())
            if (box->buttonRole(button) == QDialogButtonBox::AcceptRole)
                button->setText(QStringLiteral("OK"));
    return dialog.exec() == QDialog::Accepted;
}
