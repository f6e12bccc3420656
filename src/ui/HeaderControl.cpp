#include "ui/HeaderControl.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace tw {

THeaderControl::THeaderControl(QWidget* parent) : QWidget(parent) {
    setObjectName("HeaderControl1");
    setAccessibleName(QStringLiteral("システム情報"));
    // The header has the colour of the system's controls, not the bar's.
    setAutoFillBackground(true);
    QPalette pal = QApplication::palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    static constexpr int kDesignWidths[kSections] = {120, 280, 280, 150};
    for (int i = 0; i < kSections; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Section%1").arg(i));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setFrameShape(QFrame::NoFrame);
        label->setContentsMargins(2, 0, 0, 0);
        // The section widths were made for a narrow face; a slightly
        // condensed form of the inherited font keeps the figures readable.
        QFont condensed;
        condensed.setStretch(90);
        label->setFont(condensed);
        label->setMouseTracking(true);
        labels_[i] = label;
        widths_[i] = kDesignWidths[i];
    }
    setMouseTracking(true);
    Relayout();
}

void THeaderControl::SetSectionWidth(int index, int width) {
    width = std::clamp(width, kMinWidth, kMaxWidth);
    if (widths_[index] == width) return;
    widths_[index] = width;
    Relayout();
}

void THeaderControl::SetSectionText(int index, const QString& text) {
    QLabel* label = labels_[index];
    if (label->text() == text) return;
    utf8_[index] = text.toStdString();
    label->setText(text);
    // Screen readers read a section by its current text.
    label->setAccessibleName(text);
}

void THeaderControl::SetSectionText(int index, std::string_view utf8) {
    if (utf8_[index] == utf8) return;
    utf8_[index].assign(utf8);
    SetSectionText(index, QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

QString THeaderControl::SectionText(int index) const { return labels_[index]->text(); }

void THeaderControl::paintEvent(QPaintEvent*) {
    // The flat style: a thin line at the right end of every section.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    int x = 0;
    for (int w : widths_) {
        x += w;
        if (w > 0) painter.drawLine(x - 1, 0, x - 1, height() - 1);
    }
}

void THeaderControl::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Relayout();
}

void THeaderControl::Relayout() {
    int x = 0;
    for (int i = 0; i < kSections; ++i) {
        // A fixed size keeps a new text from asking for a new layout.
        labels_[i]->setFixedSize(widths_[i], height());
        labels_[i]->move(x, 0);
        labels_[i]->setVisible(widths_[i] > 0);
        x += widths_[i];
    }
}

}  // namespace tw
