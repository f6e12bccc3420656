// The bar's system information header: its layout at load and its refresh.
#include <QFontMetrics>

#include "core/sysformat.h"
#include "ui/HeaderControl.h"
#include "ui/Ranch.h"

namespace tw {

void TForm1::LayoutHeader() {
    if (!FSysInfo) {
        HeaderControl1->hide();
        StopTimer1();
        return;
    }
    HeaderControl1->show();
    const auto d = platform_.status.LatestDrive('D');
    HeaderControl1->SetSectionWidth(2, d && d->exists ? 300 : 0);
    HeaderControl1->SetSectionWidth(3, width() - HeaderControl1->SectionWidth(0) -
                                           HeaderControl1->SectionWidth(1) -
                                           HeaderControl1->SectionWidth(2));
    StartTimer1();
    // The text height of "A" in the header's font, plus 3.
    const QFontMetrics metrics(HeaderControl1->font());
    HeaderControl1->setFixedHeight(metrics.boundingRect(QStringLiteral("A")).height() + 3);
}

// The clock is read here; the drives and the memory are the latest figures
// the service has, so a disk that does not answer never holds the tick up: a
// drive whose figures are still outstanding keeps its last text.
void TForm1::Timer1Timer() {
    ISystemStatus& s = platform_.status;
    HeaderControl1->SetSectionText(0, FormatDateTime(s.Now(), separators_));
    if (const auto c = s.LatestDrive('C'))
        HeaderControl1->SetSectionText(1, DriveText('C', c->total, c->free, separators_));
    if (const auto d = s.LatestDrive('D'); d && d->exists)
        HeaderControl1->SetSectionText(2, DriveText('D', d->total, d->free, separators_));
    if (const auto m = s.LatestMemory()) HeaderControl1->SetSectionText(3, MemoryText(*m));
}

}  // namespace tw
