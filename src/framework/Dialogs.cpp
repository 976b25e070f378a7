#include "framework/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "framework/Files.h"
#include "framework/Placement.h"
#include "framework/QtConvert.h"
#include "framework/Testing.h"

namespace fw {

namespace {

// Every dialog belongs to the main window and is centred over it, whichever of
// the program's windows (the palette, say) is active.
QWidget* DialogParent() {
    if (QWidget* main = detail::DocumentWindowWidget()) return main;
    return QApplication::activeWindow();
}

using MessageBox = detail::Centred<QMessageBox>;

}  // namespace

void MsgBox(const String& text) {
    if (testing::Enabled()) {
        testing::Detail::TakeAnswer({testing::DialogKind::MsgBox, text, "", "", 0, {"OK"}});
        return;
    }
    MessageBox box(DialogParent());
    box.setText(Q(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

MessageDialog::MessageDialog() {
    ActionButton.Caption = "OK";
    ActionButton.Visible = true;
    ActionButton.Default = true;
    AlternateActionButton.Caption = "Don't Save";
    CancelButton.Caption = "Cancel";
    CancelButton.Cancel = true;
}

MessageDialogButton* MessageDialog::ShowModal() {
    if (testing::Enabled()) {
        testing::ShownDialog shown{
            testing::DialogKind::MessageDialog, Message, Explanation, Title, Icon, {}};
        for (auto* b : {&ActionButton, &AlternateActionButton, &CancelButton}) {
            if (b->Visible) shown.buttons.push_back(b->Caption);
        }
        auto answer = testing::Detail::TakeAnswer(shown);
        using B = testing::Answer::Button;
        B which = answer ? answer->button : (CancelButton.Visible ? B::Cancel : B::None);
        if (which == B::Action && ActionButton.Visible) return &ActionButton;
        if (which == B::Alternate && AlternateActionButton.Visible) return &AlternateActionButton;
        if (which == B::Cancel && CancelButton.Visible) return &CancelButton;
        return nullptr;
    }
    MessageBox box(DialogParent());
    switch (Icon) {
        case 1:
            box.setIcon(QMessageBox::Warning);
            break;
        case 2:
            box.setIcon(QMessageBox::Critical);
            break;
        case 3:
            box.setIcon(QMessageBox::Question);
            break;
        default:
            box.setIcon(QMessageBox::Information);
            break;
    }
    if (!Title.empty()) box.setWindowTitle(Q(Title));
    box.setText(Q(Message));
    if (!Explanation.empty()) box.setInformativeText(Q(Explanation));
    QPushButton* action = nullptr;
    QPushButton* alternate = nullptr;
    QPushButton* cancel = nullptr;
    if (ActionButton.Visible)
        action = box.addButton(Q(ActionButton.Caption), QMessageBox::AcceptRole);
    if (AlternateActionButton.Visible) {
        alternate = box.addButton(Q(AlternateActionButton.Caption), QMessageBox::DestructiveRole);
    }
    if (CancelButton.Visible) {
        cancel = box.addButton(Q(CancelButton.Caption), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
    }
    if (action) box.setDefaultButton(action);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked && clicked == action) return &ActionButton;
    if (clicked && clicked == alternate) return &AlternateActionButton;
    if (clicked && clicked == cancel) return &CancelButton;
    return nullptr;
}

std::shared_ptr<FolderItem> GetOpenFolderItem(const String&) {
    // It starts in the program's folder: a picture chosen there is found again
    // when the layout that names it is opened.
    const String folder = detail::ProgramFolder();
    if (testing::Enabled()) {
        testing::ShownDialog shown{testing::DialogKind::OpenFile, "", "", "", 0, {}};
        shown.folder = folder;
        auto answer = testing::Detail::TakeAnswer(shown);
        if (!answer || answer->path.empty()) return nullptr;
        return New<FolderItem>(answer->path);
    }
    detail::Centred<QFileDialog> dialog(DialogParent(), QString(), Q(folder));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return nullptr;
    QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty()) return nullptr;
    return New<FolderItem>(path.toStdString());
}

bool SelectColor(Color& colour, const String& prompt) {
    if (testing::Enabled()) {
        auto answer =
            testing::Detail::TakeAnswer({testing::DialogKind::SelectColor, prompt, "", "", 0, {}});
        if (!answer || !answer->accepted) return false;
        colour = answer->colour & 0xFFFFFF;
        return true;
    }
    detail::Centred<QColorDialog> dialog(QColor(Red(colour), Green(colour), Blue(colour)),
                                         DialogParent());
    if (!prompt.empty()) dialog.setWindowTitle(Q(prompt));
    if (dialog.exec() != QDialog::Accepted) return false;
    QColor chosen = dialog.selectedColor();
    if (!chosen.isValid()) return false;
    colour = RGB(chosen.red(), chosen.green(), chosen.blue());
    return true;
}

}  // namespace fw
