// The settings editor as its presenter sees it: the lists, fields, check
// boxes and spin controls, and the folder tree and file list.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

#include "ui/Setting.h"
#include "ui/SettingWidgets.h"
#include "ui/qtext.h"

namespace tw {

void TForm2::SetListEntries(EditorList list, const std::vector<std::string>& sjis) {
    QComboBox* box = ListOf(list);
    box->clear();
    for (const std::string& entry : sjis) box->addItem(ToQ(entry));
    box->setCurrentIndex(0);
}

void TForm2::ReplaceListEntry(EditorList list, int index, const std::string& sjis) {
    QComboBox* box = ListOf(list);
    box->setItemText(index, ToQ(sjis));
    box->setCurrentIndex(index);
}

int TForm2::ListIndex(EditorList list) const { return ListOf(list)->currentIndex(); }

std::string TForm2::ListText(EditorList list) const {
    return ListOf(list)->currentText().toStdString();
}

void TForm2::SetTargetText(const std::string& sjis) { Edit1->setText(ToQ(sjis)); }

std::string TForm2::TargetText() const { return Edit1->text().toStdString(); }

namespace {
template <class Form>
QCheckBox* Box(const Form& f, int box) {
    switch (box) {
    case 1: return f.CheckBox1;
    case 2: return f.CheckBox2;
    case 3: return f.CheckBox3;
    default: return f.CheckBox4;
    }
}
}  // namespace

void TForm2::SetChecked(int box, bool checked) { Box(*this, box)->setChecked(checked); }

bool TForm2::Checked(int box) const { return Box(*this, box)->isChecked(); }

void TForm2::SetFileNameText(const std::string& sjis) { Edit4->setText(ToQ(sjis)); }

std::string TForm2::FieldText(EditorField field) const {
    const QLineEdit* edit = field == EditorField::Edit2   ? Edit2
                            : field == EditorField::Edit3 ? Edit3
                                                          : Edit5;
    return edit->text().toStdString();
}

void TForm2::SetUpDown1Position(int position) { UpDown1->SetPosition(position); }

void TForm2::SetUpDown2Position(int position) { UpDown2->SetPosition(position); }

void TForm2::SetTrackBar1Position(int position) { TrackBar1->setValue(position); }

int TForm2::TrackBar1Position() const { return TrackBar1->value(); }

std::string TForm2::SelectedFolder() const { return ShellTreeView1->SelectedPath().toStdString(); }

void TForm2::SetListDirectory(const std::string& sjis) { FileListBox1->SetDirectory(sjis); }

void TForm2::ClearListDirectory() { FileListBox1->ClearDirectory(); }

void TForm2::SetListMask(const std::string& utf8) {
    FileListBox1->SetMask(QString::fromStdString(utf8));
}

int TForm2::ListSelectedIndex() const { return FileListBox1->SelectedIndex(); }

std::string TForm2::ListEntry(int index) const { return FileListBox1->Entry(index); }

}  // namespace tw
