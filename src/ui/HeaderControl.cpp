#include "ui/HeaderControl.h"

#include <QLabel>

#include <algorithm>

namespace tw {

THeaderControl::THeaderControl(QWidget* parent) : QWidget(parent) {
    setObjectName("HeaderControl1");
    setAccessibleName(QStringLiteral("システム情報"));
    setAutoFillBackground(true);
    static constexpr int kDesignWidths[kSections] = {120, 280, 280, 150};
    for (int i = 0; i < kSections; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Section%1").arg(i));
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setFrameShape(QFrame::NoFrame);
        label->setContentsMargins(4, 0, 0, 0);
        label->setMouseTracking(true);
        // The flat style: a thin line at the right of every section.
        label->setStyleSheet(QStringLiteral("QLabel { border-right: 1px solid palette(mid); }"));
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
    label->setText(text);
    // Screen readers read a section by its current text.
    label->setAccessibleName(text);
}

QString THeaderControl::SectionText(int index) const { return labels_[index]->text(); }

void THeaderControl::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Relayout();
}

void THeaderControl::Relayout() {
    int x = 0;
    for (int i = 0; i < kSections; ++i) {
        labels_[i]->setGeometry(x, 0, widths_[i], height());
        labels_[i]->setVisible(widths_[i] > 0);
        x += widths_[i];
    }
}

}  // namespace tw
