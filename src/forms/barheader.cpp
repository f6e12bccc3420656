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
    const auto d = services_.status.LatestDrive('D');
    view_.SetHeaderSectionWidth(2, d && d->exists ? 300 : 0);
    view_.SetHeaderSectionWidth(3, view_.Geometry().width - view_.HeaderSectionWidth(0) -
                                       view_.HeaderSectionWidth(1) - view_.HeaderSectionWidth(2));
    StartTimer1();
    view_.SetHeaderHeight(view_.HeaderTextHeight() + 3);
}

// The clock is read here; the drives and the memory are the latest figures
// the service has, so a disk that does not answer never holds the tick up: a
// drive whose figures are still outstanding keeps its last text.
void BarPresenter::Timer1Timer() {
    ISystemStatus& s = services_.status;
    view_.SetHeaderText(0, FormatDateTime(s.Now(), separators_));
    if (const auto c = s.LatestDrive('C'))
        view_.SetHeaderText(1, DriveText('C', c->total, c->free, separators_));
    if (const auto d = s.LatestDrive('D'); d && d->exists)
        view_.SetHeaderText(2, DriveText('D', d->total, d->free, separators_));
    if (const auto m = s.LatestMemory()) view_.SetHeaderText(3, MemoryText(*m));
}

}  // namespace tw
