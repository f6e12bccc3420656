// The bar's menu commands that go to the shell: entries, Control Panel
// applets, the printers folder and the help file.
#include "core/settingsfile.h"
#include "core/text.h"
#include "forms/bar.h"

namespace tw {

void BarPresenter::LaunchItem(int group, int item) {
    const std::string& target = model_.FTargets[BarIndex(group, item)];
    ShellRequest r;
    r.file = target;
    r.directory = ExtractFilePath(target, services_.separators);
    r.show = SW_SHOWDEFAULT;
    services_.shell.ShellExecute(r);
}

void BarPresenter::RunApplet(std::string_view appletUtf8) {
    ShellRequest r;
    r.owner = view_.Owner();
    r.verb = "OPEN";
    r.file = kRunDll;
    r.parameters = std::string(kControlPanelPrefix) +
                   ExtractFileName(Sjis(appletUtf8), services_.separators);
    r.directory = std::string();
    r.show = SW_SHOW;
    services_.shell.ShellExecute(r);
}

void BarPresenter::N16Click() { RunApplet("Sysdm.cpl システム"); }
void BarPresenter::N5Click() { RunApplet("Intl.cpl"); }
void BarPresenter::N18Click() { RunApplet("Timedate.cpl"); }
void BarPresenter::N1Click() { RunApplet("Access.cpl"); }
void BarPresenter::N15Click() { RunApplet("powercfg.cpl"); }
void BarPresenter::N3Click() { RunApplet("Desk.cpl"); }
void BarPresenter::N11Click() { RunApplet("Mmsys.cpl マルチメディア"); }
void BarPresenter::N7Click() { RunApplet("Main.cpl マウス"); }
void BarPresenter::N8Click() { RunApplet("Main.cpl キーボード"); }
void BarPresenter::N6Click() { RunApplet("Joy.cpl"); }
void BarPresenter::N2Click() { RunApplet("Appwiz.cpl"); }
void BarPresenter::N10Click() { RunApplet("hdwwiz.cpl"); }
void BarPresenter::N13Click() { RunApplet("Modem.cpl"); }
void BarPresenter::N4Click() { RunApplet("ncpa.cpl"); }
void BarPresenter::N12Click() { RunApplet("inetcpl.cpl"); }
void BarPresenter::N14Click() { RunApplet("nusrmgr.cpl"); }

void BarPresenter::N9Click() {
    ShellRequest r;
    r.file = std::string(kPrintersFolder);
    r.show = SW_SHOWNORMAL;
    services_.shell.ShellExecute(r);
}

void BarPresenter::Help1Click() {
    ShellRequest r;
    r.file = model_.FAppDir + "TAMBLEWICKHELP.HLP";
    r.show = SW_SHOWNORMAL;
    services_.shell.ShellExecute(r);
}

}  // namespace tw
