#include "ui/SettinFiles.h"

#include "ui/Ranch.h"

namespace tw {

TForm3::TForm3(TForm1& bar, const Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), bar_(bar), platform_(platform) {
    setObjectName("Form3");
    setWindowTitle(QStringLiteral("設定ファイル"));
    resize(175, 257);
}

void TForm3::ShowFileList() {
    show();
    raise();
}

}  // namespace tw
