// The bar's system information header: its layout at load and its refresh.
#include "core/sysformat.h"
#include "forms/bar.h"

namespace tw {

void BarPresenter::LayoutHeader() {
    if (!model_.FSysInfo) {
        view_.ShowHeader(false);
        StopTimer1();
        return;
    }
    view_.ShowHeader(true);
    view_.SetHeaderSectionWidth(2, services_.status.DriveExists('D') ? 300 : 0);
    view_.SetHeaderSectionWidth(3, view_.Geometry().width - view_.HeaderSectionWidth(0) -
                                       view_.HeaderSectionWidth(1) - view_.HeaderSectionWidth(2));
    StartTimer1();
    view_.SetHeaderHeight(view_.HeaderTextHeight() + 3);
}

void BarPresenter::Timer1Timer() {
    ISystemStatus& s = services_.status;
    view_.SetHeaderText(0, FormatDateTime(s.Now(), separators_));
    const int64_t totalC = s.DiskTotalBytes('C');
    const int64_t freeC = s.DiskFreeBytes('C');
    view_.SetHeaderText(1, DriveText('C', totalC, freeC, separators_));
    if (s.DriveExists('D')) {
        const int64_t totalD = s.DiskTotalBytes('D');
        const int64_t freeD = s.DiskFreeBytes('D');
        view_.SetHeaderText(2, DriveText('D', totalD, freeD, separators_));
    }
    view_.SetHeaderText(3, MemoryText(s.Memory()));
}

}  // namespace tw
