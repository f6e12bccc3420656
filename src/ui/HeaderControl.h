// A flat header row of text sections with fixed widths.
#pragma once

#include <QWidget>

#include <array>
#include <string>
#include <string_view>

class QLabel;

namespace tw {

class THeaderControl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSections = 4;
    static constexpr int kMinWidth = 0;
    static constexpr int kMaxWidth = 10000;

    explicit THeaderControl(QWidget* parent = nullptr);

    // Widths are clamped into 0..10000.
    void SetSectionWidth(int index, int width);
    int SectionWidth(int index) const { return widths_[index]; }

    // Setting the text a section already has does nothing: no repaint.
    void SetSectionText(int index, const QString& text);
    // The same for UTF-8 text, compared before anything is converted.
    void SetSectionText(int index, std::string_view utf8);
    QString SectionText(int index) const;
    QLabel* Section(int index) const { return labels_[index]; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void Relayout();
    std::array<QLabel*, kSections> labels_{};
    std::array<int, kSections> widths_{};
    std::array<std::string, kSections> utf8_;  // the texts as last set in UTF-8
};

}  // namespace tw
