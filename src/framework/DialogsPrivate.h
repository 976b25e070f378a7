#pragma once

// For the layer's own use: the toolkit's dialogs as the program shows them.

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "framework/Placement.h"

namespace fw::detail {

// A message box whose texts are shown as they are: a name from a file is never
// read as markup, which would show other text and load the pictures it names,
// from the toolkit's resources or from the disk.
class MessageBox : public Centred<QMessageBox> {
  public:
    explicit MessageBox(QWidget* parent);
    void SetExplanation(const QString& text);
};

// The toolkit's open-file dialog reads a typed or clicked name that starts with
// ":" as one of its built-in resources: a file of that name in the folder shown
// is "not found", and a resource is picked, or opened as a folder. Here such a
// name is the file of that name in the folder shown, as any other name is.
// For existing files, the only kind the program asks for.
class FileChooser : public Centred<QFileDialog> {
  public:
    using Centred::Centred;
    // The files chosen, as paths of the file system; meant once the dialog is
    // accepted.
    QStringList Chosen() const { return chosen_; }
    void accept() override;

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    // The names chosen as files of the folder shown; whether any was a
    // resource's name.
    bool InFolderShown(QStringList& files) const;
    // "Open" as for any other name: the toolkit disables it for such a name,
    // looking for it among its resources.
    void UpdateOpen();
    QStringList chosen_;
    bool hooked_ = false;
};

}  // namespace fw::detail
