#pragma once

#include <QString>

// The object names of every window's controls, defined once. The logic addresses controls through FormState by
// these names, the windows give their widgets these names, and the tests find widgets by them; a misspelt name
// therefore fails to compile instead of addressing a control that does not exist.
namespace ctl {

#define VT_CONTROL(name) inline const QString name = QStringLiteral(#name)

// The main window.
namespace frmTransfer {
inline const QString form = QStringLiteral("frmTransfer");
// Menus.
VT_CONTROL(mnuDatei);
VT_CONTROL(mnuBericht); // the inspection report, beside the output buttons
VT_CONTROL(mnuEnd);
VT_CONTROL(Language);
VT_CONTROL(English);
VT_CONTROL(German);
VT_CONTROL(mnuTastaturevent);
VT_CONTROL(mnuHelp);
VT_CONTROL(mnuInfo);
VT_CONTROL(mnuHelp1);
// Frames.
VT_CONTROL(Frame1); // commands
VT_CONTROL(Frame2); // port
VT_CONTROL(Frame3); // measured values
VT_CONTROL(Frame4); // copy targets
VT_CONTROL(Frame5); // maker
// Pictures.
VT_CONTROL(picKova);
VT_CONTROL(picRahmen);
VT_CONTROL(picTC);
VT_CONTROL(picUsb);
VT_CONTROL(picBth);
VT_CONTROL(picLogo);
// Connection.
VT_CONTROL(ComboPort);
VT_CONTROL(cmdConnect);
VT_CONTROL(txtWait);
VT_CONTROL(cmdCancel); // ends the wait the status text describes
VT_CONTROL(prgLesen);
VT_CONTROL(txtSpeicher);
// Reading and online.
VT_CONTROL(cmdLesen);
VT_CONTROL(cmdLesFE);
VT_CONTROL(cmdLesNFE);
VT_CONTROL(cmdStop);
VT_CONTROL(optFE);
VT_CONTROL(optNFE);
VT_CONTROL(optOnline);
// Table, statistics and chart.
VT_CONTROL(MSFlex);
VT_CONTROL(lstStat);
VT_CONTROL(MSChart1);
VT_CONTROL(txtMittelwert);
VT_CONTROL(cmdChart);
VT_CONTROL(cmdGross);
VT_CONTROL(cmdAbs);
// Commands.
VT_CONTROL(cmdOpen);
VT_CONTROL(cmdSave);
VT_CONTROL(cmdWerte);
VT_CONTROL(cmdProjekt);
VT_CONTROL(cmdSort);
VT_CONTROL(cmdFlexZeileLoeschen);
VT_CONTROL(cmdFlexTabelleloeschen);
VT_CONTROL(cmdEnde);
VT_CONTROL(cmdClipboard);
VT_CONTROL(cmdprint);
VT_CONTROL(cmdWord);
VT_CONTROL(cmdExcel);
VT_CONTROL(cmdBericht); // the inspection report (PDF)
} // namespace frmTransfer

// The start-up progress window.
namespace frmWait {
inline const QString form = QStringLiteral("frmWait");
VT_CONTROL(WaitBar);
VT_CONTROL(Waitmessage);
} // namespace frmWait

// The device information window.
namespace frmInfo {
inline const QString form = QStringLiteral("frmInfo");
VT_CONTROL(lblGeraet);
VT_CONTROL(txtGeraet);
VT_CONTROL(lblPCSoft);
VT_CONTROL(txtPCSoft);
VT_CONTROL(lblGeraeteSoft);
VT_CONTROL(txtGeraeteSoft);
VT_CONTROL(lblMacAdr);
VT_CONTROL(txtMacAdr);
VT_CONTROL(lblSondentyp);
VT_CONTROL(txtSondentyp);
VT_CONTROL(lblSondenversion);
VT_CONTROL(txtSondenversion);
VT_CONTROL(lblAnzahl1);
VT_CONTROL(txtAnzahl1);
VT_CONTROL(lblAnzahl2);
VT_CONTROL(txtAnzahl2);
} // namespace frmInfo

// The limits dialog.
namespace frmWerte {
inline const QString form = QStringLiteral("frmWerte");
VT_CONTROL(frmLimits);
VT_CONTROL(lblMin);
VT_CONTROL(txtMinLimit);
VT_CONTROL(lblMax);
VT_CONTROL(txtMaxLimit);
VT_CONTROL(lblSoll);
VT_CONTROL(txtSoll);
VT_CONTROL(chk8020);
VT_CONTROL(cmdInfo);
VT_CONTROL(cmdSpeichern);
VT_CONTROL(cmdLoeschen);
// The rule the check box switches on, and the rule's own settings.
VT_CONTROL(cboRegel);
VT_CONTROL(frmRegel);
VT_CONTROL(lblRauheit);
VT_CONTROL(cboRauheit);
VT_CONTROL(lblFlaeche);
VT_CONTROL(txtFlaeche);
VT_CONTROL(lblSpot);
VT_CONTROL(txtSpot);
VT_CONTROL(lblSpots);
VT_CONTROL(txtSpots);
VT_CONTROL(lblSpotMin);
VT_CONTROL(txtSpotMin);
VT_CONTROL(lblSpotMax);
VT_CONTROL(txtSpotMax);
VT_CONTROL(lblStufe);
} // namespace frmWerte

// The project dialog.
namespace frmProjekt {
inline const QString form = QStringLiteral("frmProjekt");
VT_CONTROL(frmRahmen);
VT_CONTROL(lblDtp);
VT_CONTROL(DTPDate);
VT_CONTROL(DTPTime);
VT_CONTROL(Frame1);
VT_CONTROL(cmdSpeichern);
VT_CONTROL(cmdLoeschen);
// The label and text box of project field n (1 to 6).
inline QString lblFelder(int n)
{
    return QStringLiteral("lblFelder") + QString::number(n);
}
inline QString txtFelder(int n)
{
    return QStringLiteral("txtFelder") + QString::number(n);
}
} // namespace frmProjekt

// The keystroke forwarding dialog. Its frames have names of their own: under the window's name "frmTastatur" the
// window itself would be found, and "frmWerte" is the limits window.
namespace frmTastatur {
inline const QString form = QStringLiteral("frmTastatur");
VT_CONTROL(fraTastatur);
VT_CONTROL(lblTE);
VT_CONTROL(chkTastatur);
VT_CONTROL(lblAnwendung);
VT_CONTROL(txtAnwendung);
VT_CONTROL(fraWerte);
VT_CONTROL(chkNr);
VT_CONTROL(chkDatum);
VT_CONTROL(chkEinheit);
VT_CONTROL(chkMaterial);
VT_CONTROL(frmZeilenEnde);
VT_CONTROL(optEnter);
VT_CONTROL(optKeins);
VT_CONTROL(cmdOk);
} // namespace frmTastatur

// The large chart window.
namespace frmChartG {
inline const QString form = QStringLiteral("frmChartG");
VT_CONTROL(MSChartG);
VT_CONTROL(cmdChartType);
VT_CONTROL(lblStrich);
VT_CONTROL(lblMean);
VT_CONTROL(mnuSavePng);
} // namespace frmChartG

#undef VT_CONTROL

} // namespace ctl
