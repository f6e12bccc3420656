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
    HeaderControl1->SetSectionWidth(2, platform_.status.DriveExists('D') ? 300 : 0);
    HeaderControl1->SetSectionWidth(3, width() - HeaderControl1->SectionWidth(0) -
                                           HeaderControl1->SectionWidth(1) -
                                           HeaderControl1->SectionWidth(2));
    StartTimer1();
    // The text height of "A" in the header's font, plus 3.
    const QFontMetrics metrics(HeaderControl1->font());
    HeaderControl1->setFixedHeight(metrics.boundingRect(QStringLiteral("A")).height() + 3);
}

void TForm1::Timer1Timer() {
    ISystemStatus& s = platform_.status;
    HeaderControl1->SetSectionText(0, FormatDateTime(s.Now(), separators_));
    const int64_t totalC = s.DiskTotalBytes('C');
    const int64_t freeC = s.DiskFreeBytes('C');
    HeaderControl1->SetSectionText(1, DriveText('C', totalC, freeC, separators_));
    if (s.DriveExists('D')) {
        const int64_t totalD = s.DiskTotalBytes('D');
        const int64_t freeD = s.DiskFreeBytes('D');
        HeaderControl1->SetSectionText(2, DriveText('D', totalD, freeD, separators_));
    }
    HeaderControl1->SetSectionText(3, MemoryText(s.Memory()));
}

}  // namespace tw
