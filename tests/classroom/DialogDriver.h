#pragma once
// Drives the classroom dialogs through their real widgets, found by their control ids.

#include "support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

inline QLineEdit* Edit(QDialog& d, int id)
{
    return d.findChild<QLineEdit*>(QStringLiteral("edit%1").arg(id));
}
inline QComboBox* List(QDialog& d, int id)
{
    return d.findChild<QComboBox*>(QStringLiteral("combo%1").arg(id));
}
inline QCheckBox* Box(QDialog& d, int id)
{
    return d.findChild<QCheckBox*>(QStringLiteral("check%1").arg(id));
}
inline QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

// Gives the widget the keyboard focus, as a click into it does.
inline void Enter(QDialog& d, QWidget* widget)
{
    d.activateWindow();
    QApplication::setActiveWindow(&d);
    widget->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
}

// Clicks the button; the dialog's result once it closed, -1 while it stays open.
inline int Press(QDialog& d, int id)
{
    QPushButton* button = d.findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
    EXPECT_NE(button, nullptr) << id;
    if (!button) return -1;
    QTest::mouseClick(button, Qt::LeftButton);
    return d.isVisible() ? -1 : d.result();
}

// A file or folder dialog step that chooses this file-system path.
inline std::function<int(QDialog&)> ChooseInFileDialog(const QString& path,
                                                       QString* title = nullptr)
{
    return [path, title](QDialog& d) {
        auto* files = qobject_cast<QFileDialog*>(&d);
        EXPECT_NE(files, nullptr);
        if (!files) return int(QDialog::Rejected);
        if (title) *title = d.windowTitle();
        files->selectFile(path);
        return int(QDialog::Accepted);
    };
}
