#include "framework/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "framework/Files.h"
#include "framework/QtConvert.h"
#include "framework/Testing.h"

namespace fw {

namespace {

QWidget* DialogParent() {
    return QApplication::activeWindow();
}

}  // namespace

void MsgBox(const String& text) {
    if (testing::Enabled()) {
        testing::Detail::TakeAnswer({testing::DialogKind::MsgBox, text, "", "", 0, {"OK"}});
        return;
    }
    QMessageBox box(DialogParent());
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
    QMessageBox box(DialogParent());
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
    if (testing::Enabled()) {
        auto answer =
            testing::Detail::TakeAnswer({testing::DialogKind::OpenFile, "", "", "", 0, {}});
        if (!answer || answer->path.empty()) return nullptr;
        return New<FolderItem>(answer->path);
    }
    QString path = QFileDialog::getOpenFileName(DialogParent());
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
    QColor chosen = QColorDialog::getColor(QColor(Red(colour), Green(colour), Blue(colour)),
                                           DialogParent(), Q(prompt));
    if (!chosen.isValid()) return false;
    colour = RGB(chosen.red(), chosen.green(), chosen.blue());
    return true;
}

}  // namespace fw
