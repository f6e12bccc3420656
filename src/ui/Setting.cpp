#include "ui/Setting.h"

#include "ui/Ranch.h"

namespace tw {

TForm2::TForm2(TForm1& bar, const Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), bar_(bar), platform_(platform) {
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("Tamblewick 設定"));
    resize(706, 495);
}

}  // namespace tw
