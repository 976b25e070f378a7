#include "framework/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "framework/DialogsPrivate.h"
#include "framework/Files.h"
#include "framework/Placement.h"
#include "framework/QtConvert.h"
#include "framework/Testing.h"

namespace fw {

namespace detail {

MessageBox::MessageBox(QWidget* parent) : Centred(parent) {
    setTextFormat(Qt::PlainText);
}

void MessageBox::SetExplanation(const QString& text) {
    setInformativeText(text);
    // The toolkit gives the explanation a label of its own, read as markup
    // whatever the box's format.
    if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        label->setTextFormat(Qt::PlainText);
    }
}

bool FileChooser::InFolderShown(QStringList& files) const {
    const QString folder = directory().absolutePath();
    bool resource = false;
    for (QString& f : files) {
        if (!f.startsWith(u':')) continue;
        resource = true;
        f = folder + (folder.endsWith(u'/') ? QString() : QStringLiteral("/")) + f;
    }
    return resource;
}

void FileChooser::showEvent(QShowEvent* e) {
    Centred::showEvent(e);
    if (hooked_) return;
    // The toolkit makes its widgets when the dialog is first shown; this comes
    // after its own check of every change of the name.
    if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        hooked_ = true;
        connect(name, &QLineEdit::textChanged, this, &FileChooser::UpdateOpen);
    }
}

void FileChooser::UpdateOpen() {
    QStringList files = selectedFiles();
    if (!InFolderShown(files)) return;
    auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QPushButton* open = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    if (!open) return;
    open->setEnabled(std::all_of(files.cbegin(), files.cend(),
                                 [](const QString& f) { return QFileInfo::exists(f); }));
}

void FileChooser::accept() {
    QStringList files = selectedFiles();
    const bool resource = InFolderShown(files);
    chosen_ = files;
    if (!resource) {
        QFileDialog::accept();
        return;
    }
    // What the toolkit does with a name it takes for a file: a folder is
    // opened, a missing file is said, in the toolkit's own words.
    for (const QString& f : files) {
        QFileInfo info(f);
        if (!info.exists()) {
            MessageBox box(this);
            box.setIcon(QMessageBox::Warning);
            box.setWindowTitle(windowTitle());
            box.setText(QFileDialog::tr("%1\nFile not found.\nPlease verify the "
                                        "correct file name was given.")
                            .arg(info.fileName()));
            box.setStandardButtons(QMessageBox::Ok);
            box.exec();
            return;
        }
        if (info.isDir()) {
            setDirectory(f);
            if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->clear();
            return;
        }
    }
    QDialog::accept();
}

}  // namespace detail

namespace {

// Every dialog belongs to the main window and is centred over it, whichever of
// the program's windows (the palette, say) is active.
QWidget* DialogParent() {
    if (QWidget* main = detail::DocumentWindowWidget()) return main;
    return QApplication::activeWindow();
}

using detail::MessageBox;

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
    if (!Explanation.empty()) box.SetExplanation(Q(Explanation));
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
    detail::FileChooser dialog(DialogParent(), QString(), Q(folder));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen().isEmpty()) return nullptr;
    QString path = dialog.Chosen().constFirst();
    if (path.isEmpty()) return nullptr;
    return New<FolderItem>(S(path));
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
