// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop dialogs, answered by a "user" who clicks while the dialog waits.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "fakes/test_rig.h"
#include "services/qt/qt_dialogs.h"

namespace lutavo {
namespace {

// Runs answer on the dialog or menu that opens next, once it is up.
void whenShown(std::function<void(QWidget*)> answer) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [answer, poll] {
        QWidget* up = QApplication::activeModalWidget();
        if (up == nullptr) up = QApplication::activePopupWidget();
        if (up != nullptr && up->isVisible()) {
            answer(up);
            *poll = nullptr;  // breaks the cycle
            return;
        }
        QTimer::singleShot(5, *poll);
    };
    QTimer::singleShot(0, *poll);
}

Menu menuOf(const std::string& caption, const std::vector<std::string>& items) {
    Menu menu;
    menu.caption = caption;
    for (const std::string& text : items) {
        MenuItem item;
        item.caption = text;
        menu.items.push_back(item);
    }
    return menu;
}

void clickButton(QWidget* box, QMessageBox::StandardButton which) {
    auto* message = qobject_cast<QMessageBox*>(box);
    ASSERT_NE(message, nullptr);
    message->button(which)->click();
}

TEST(MessageBox, CaptionDefaultsToTheProgramTitleAndTheButtonClickedIsTold) {
    QtDialogs dialogs(nullptr, nullptr);
    QStringList seen;
    auto answer = [&](QMessageBox::StandardButton which) {
        whenShown([&seen, which](QWidget* box) {
            seen << box->windowTitle() << qobject_cast<QMessageBox*>(box)->text();
            clickButton(box, which);
        });
    };
    answer(QMessageBox::Ok);
    EXPECT_EQ(dialogs.message("No MIDI drivers found", "", MessageButtons::Ok), MessageAnswer::Ok);
    answer(QMessageBox::Yes);
    EXPECT_EQ(dialogs.message("Save?", "Editor", MessageButtons::YesNo), MessageAnswer::Yes);
    answer(QMessageBox::No);
    EXPECT_EQ(dialogs.message("Save?", "Editor", MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(seen.mid(0, 4), (QStringList{"Lutavo", "No MIDI drivers found", "Editor", "Save?"}));
}

TEST(FileDialogs, SaveDialogAddsTheDefaultExtension) {
    test::TempDir dir;
    QtDialogs dialogs(nullptr, nullptr);
    QStringList filters;
    QString title;
    whenShown([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        dialog->selectFile(QStringLiteral("newsong"));
        static_cast<QDialog*>(dialog)->accept();
    });
    FileDialogRequest request{"Save Song", "Lutavo songs", "*.SNG", ".SNG", dir.path(), "", false};
    const auto chosen = dialogs.saveFile(request);
    EXPECT_EQ(title, "Save Song");
    EXPECT_EQ(filters, QStringList{QStringLiteral("Lutavo songs (*.SNG *.sng)")});
    EXPECT_EQ(chosen, std::optional<std::string>(dir.path() + "newsong.SNG"));
}

TEST(PopupMenu, ReturnsTheIndexOfTheChosenItemCountingSeparators) {
    QtDialogs dialogs(nullptr, nullptr);
    Menu menu = menuOf("Print", {"Print Setup", "-", "Print Song"});
    menu.items[2].checked = true;
    bool checked = false;
    whenShown([&](QWidget* w) {
        auto* popup = qobject_cast<QMenu*>(w);
        ASSERT_NE(popup, nullptr);
        const QList<QAction*> actions = popup->actions();
        ASSERT_EQ(actions.size(), 3);
        EXPECT_TRUE(actions[1]->isSeparator());
        checked = actions[2]->isChecked();
        popup->setActiveAction(actions[2]);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(popup, &enter);
    });
    const int chosen = dialogs.popupMenu(menu);
    EXPECT_TRUE(checked);
    EXPECT_EQ(chosen, 2);
}

}  // namespace
}  // namespace lutavo
