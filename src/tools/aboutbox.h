#pragma once

#include <QDialog>

// "&About...": the program's name and version.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

// "Version History": what changed from one version to the next.
class TVersionHistoryForm : public QDialog
{
    Q_OBJECT
public:
    explicit TVersionHistoryForm(QWidget* parent = nullptr);

    static QString historyText();
};
