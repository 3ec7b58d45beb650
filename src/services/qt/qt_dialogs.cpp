// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/qt/qt_dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QCursor>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <algorithm>

#include "services/qt/progress_dialog.h"
#include "services/qt/qt_printer.h"

namespace lutavo {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString captionOrTitle(const std::string& caption) {
    return caption.empty() ? QString::fromLatin1(kProgramTitle) : qs(caption);
}

enum class FileDialogKind { Open, Save };

// Qt's own dialog on every desktop: its name filter matches in any case, so "*.SNG" also
// finds "song.sng" and "Song.Sng", as the program compares names upper-cased.
std::optional<std::string> runFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         FileDialogKind kind) {
    QFileDialog dialog(parent, qs(request.title), qs(request.folder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(qs(fileFilterText(request)));
    QString suffix = qs(request.defaultExt);
    if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (!request.fileName.empty()) dialog.selectFile(qs(request.fileName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.front().toStdString();
}

}  // namespace

std::string fileFilterText(const FileDialogRequest& request) {
    if (request.pattern.empty())
        return request.filterName.empty() ? "All files (*)" : request.filterName + " (*)";
    // Each pattern also in lower case, where that differs.
    const QStringList given = qs(request.pattern).split(' ', Qt::SkipEmptyParts);
    QStringList all = given;
    for (const QString& p : given) {
        if (!all.contains(p.toLower())) all << p.toLower();
    }
    const std::string patterns = all.join(' ').toStdString();
    if (request.filterName.empty()) return patterns;
    return request.filterName + " (" + patterns + ")";
}

QtDialogs::QtDialogs(QWidget* parent, QtPrinter* printer) : parent_(parent), printer_(printer) {}

MessageAnswer QtDialogs::message(const std::string& text, const std::string& caption,
                                 MessageButtons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(captionOrTitle(caption));
    box.setText(qs(text));
    if (buttons == MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return MessageAnswer::Ok;
    }
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::optional<std::string> QtDialogs::openFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, FileDialogKind::Open);
}

std::optional<std::string> QtDialogs::saveFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, FileDialogKind::Save);
}

int QtDialogs::chooseItem(const ChoiceRequest& request) {
    QStringList items;
    for (const std::string& item : request.items)
        items << qs(item);
    if (items.isEmpty()) return -1;
    bool ok = false;
    const QString chosen = QInputDialog::getItem(
        parent_, captionOrTitle(request.title), qs(request.prompt), items,
        std::clamp(request.preselected, 0, int(items.size()) - 1), false, &ok);
    return ok ? static_cast<int>(items.indexOf(chosen)) : -1;
}

std::optional<std::vector<int>> QtDialogs::askNumbers(const std::string& title,
                                                      const std::vector<NumberField>& fields) {
    QDialog dialog(parent_);
    dialog.setWindowTitle(captionOrTitle(title));
    auto* form = new QFormLayout(&dialog);
    std::vector<QSpinBox*> numbers;
    std::vector<QCheckBox*> answers;
    for (const NumberField& field : fields) {
        if (field.yesNo) {
            auto* box = new QCheckBox(qs(field.label), &dialog);
            box->setChecked(field.value != 0);
            form->addRow(box);
            answers.push_back(box);
            numbers.push_back(nullptr);
            continue;
        }
        auto* spin = new QSpinBox(&dialog);
        spin->setRange(field.lo, field.hi);
        spin->setValue(field.value);
        spin->setSuffix(qs(field.suffix));
        form->addRow(qs(field.label), spin);
        numbers.push_back(spin);
        answers.push_back(nullptr);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    std::vector<int> values;
    for (std::size_t i = 0; i < fields.size(); ++i)
        values.push_back(numbers[i] != nullptr ? numbers[i]->value() : answers[i]->isChecked());
    return values;
}

std::optional<std::string> QtDialogs::showProgress(const ProgressReport& report) {
    ProgressDialog dialog(report, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosenSong();
}

int QtDialogs::popupMenu(const Menu& menu) {
    QMenu popup(parent_);
    // The window's own font, at the window's zoom.
    if (parent_ != nullptr) popup.setFont(parent_->font());
    popup.setTitle(qs(menu.caption));
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        if (!item.visible) continue;
        if (item.caption == "-") {
            popup.addSeparator();
            continue;
        }
        QAction* action = popup.addAction(qs(item.caption));
        action->setData(static_cast<int>(i));
        action->setEnabled(item.enabled);
        if (item.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
    }
    const bool dropsDown = menu.dropFrom && placeOnScreen_;
    const QAction* chosen = popup.exec(dropsDown ? placeOnScreen_(*menu.dropFrom) : QCursor::pos());
    return chosen == nullptr ? -1 : chosen->data().toInt();
}

bool QtDialogs::printerSetup() {
    QPrinter ownPrinter;
    QPrintDialog dialog(printer_ != nullptr ? &printer_->device() : &ownPrinter, parent_);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    return dialog.exec() == QDialog::Accepted;
}

std::optional<SheetRange> QtDialogs::printDialog(int sheets) {
    QPrinter ownPrinter;
    QPrinter* printer = printer_ != nullptr ? &printer_->device() : &ownPrinter;
    QPrintDialog dialog(printer, parent_);
    dialog.setWindowTitle(QStringLiteral("Print Song"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintToFile);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies);
    dialog.setMinMax(1, sheets);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    if (printer->printRange() != QPrinter::PageRange) return SheetRange{1, sheets};
    return SheetRange{printer->fromPage(), printer->toPage()};
}

}  // namespace lutavo
