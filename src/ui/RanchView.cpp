// The bar window as its presenter sees it: the menu's captions and
// visibility, the window's geometry, alpha and colour, the header and Timer1.
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

#include "ui/HeaderControl.h"
#include "ui/Ranch.h"
#include "ui/formlook.h"
#include "ui/qtext.h"

namespace tw {

void TForm1::SetGroupCaption(int g, const std::string& sjis) { Groups[g]->setTitle(ToQ(sjis)); }

void TForm1::SetGroupVisible(int g, bool visible) { Groups[g]->menuAction()->setVisible(visible); }

void TForm1::SetItemCaption(int g, int i, const std::string& sjis, bool separator) {
    QAction* action = items_[g][i];
    action->setSeparator(separator);
    action->setText(separator ? QString() : ToQ(sjis));
}

void TForm1::SetItemVisible(int g, int i, bool visible) { items_[g][i]->setVisible(visible); }

void TForm1::SetFixedCaptions(const FixedCaptions& c) {
    ControlPanel1->setTitle(ToQ(c.controlPanel));
    Setting1->setText(ToQ(c.setting));
    SettingFiles1->setText(ToQ(c.settingFiles));
    Expand1->setText(ToQ(c.collapse));
    Help1->setText(ToQ(c.help));
    Exit1->setText(ToQ(c.exit));
}

void TForm1::SetExpandVisible(bool visible) { Expand1->setVisible(visible); }

QColor TForm1::BackgroundColor() const { return ToQColor(model().FBarColor); }

Rect TForm1::Geometry() const {
    const QRect g = geometry();
    return {g.x(), g.y(), g.width(), g.height()};
}

void TForm1::SetGeometry(const Rect& r) {
    if (r != Geometry()) setGeometry(r.left, r.top, r.width, r.height);
}

void TForm1::SetAlpha(int alpha) { setWindowOpacity(alpha / 255.0); }

void TForm1::SetColor(uint32_t color) {
    QWidget* client = centralWidget();
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, ToQColor(color));
    client->setPalette(pal);
}

void TForm1::ShowHeader(bool visible) { HeaderControl1->setVisible(visible); }

int TForm1::HeaderSectionWidth(int section) const { return HeaderControl1->SectionWidth(section); }

void TForm1::SetHeaderSectionWidth(int section, int width) {
    HeaderControl1->SetSectionWidth(section, width);
}

void TForm1::SetHeaderText(int section, const std::string& utf8) {
    HeaderControl1->SetSectionText(section, std::string_view(utf8));
}

int TForm1::HeaderTextHeight() const {
    const QFontMetrics metrics(HeaderControl1->font());
    return metrics.boundingRect(QStringLiteral("A")).height();
}

int TForm1::HeaderHeight() const { return HeaderControl1->height(); }

void TForm1::SetHeaderHeight(int height) { HeaderControl1->setFixedHeight(height); }

bool TForm1::StartTimer1(int periodMs) {
    timerId_ = ticks_->startTimer(periodMs, Qt::PreciseTimer);
    return timerId_ != 0;
}

void TForm1::StopTimer1() {
    ticks_->killTimer(timerId_);
    timerId_ = 0;
}

}  // namespace tw
