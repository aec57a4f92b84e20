#include "PartControls.h"

#include "ui_frmSerial.h"

using namespace levelconf;

PortBarControls portBarControls(const Ui::frmSerial &ui)
{
    PortBarControls c;
    c.CmbPort = ui.CmbPort;
    c.BTNOpenCom = ui.BTNOpenCom;
    c.BTNCloseCom = ui.BTNCloseCom;
    return c;
}

MonitorControls monitorControls(const Ui::frmSerial &ui)
{
    MonitorControls c;
    c.CmbNet = ui.CmbNet;
    c.Opros = ui.Opros;
    c.netdev = ui.netdev;
    c.sn = ui.sn;
    c.vv = ui.vv;
    c.Uroven = ui.Uroven;
    c.ProgressBar1 = ui.ProgressBar1;
    c.tek = ui.tek;
    c.temp = ui.temp;
    c.freq = ui.freq;
    c.anal = ui.anal;
    c.lo = ui.lo;
    c.hi = ui.hi;
    c.h = ui.h;
    c.Label19 = ui.Label19;
    c.ne = ui.ne;
    c.ind_stab = ui.ind_stab;
    c.R485 = ui.R485;
    c.R_a = ui.R_a;
    c.R_f = ui.R_f;
    c.R_p = ui.R_p;
    c.R_p485 = ui.R_p485;
    c.iinv = ui.iinv;
    c.usredn = ui.usredn;
    c.usred = ui.usred;
    c.D_4096 = ui.D_4096;
    c.tartab1 = ui.tartab1;
    c.opFirst = ui.opFirst;
    c.opLast = ui.opLast;
    c.opFirstLast = ui.opFirstLast;
    c.Slider1 = ui.Slider1;
    c.sgla = ui.sgla;
    c.Set_mode = ui.Set_mode;
    c.Label10 = ui.Label10;
    c.kko = ui.kko;
    c.ko = ui.ko;
    c.lblKo = ui.lblKo;
    c.Kalibr_warning = ui.Kalibr_warning;
    c.per_sents = ui.per_sents;
    return c;
}

SettingsControls settingsControls(const Ui::frmSerial &ui)
{
    SettingsControls c;
    c.shift = ui.shift;
    c.Tsr = ui.Tsr;
    c.Psr = ui.Psr;
    c.Hsr = ui.Hsr;
    c.SetAir = ui.SetAir;
    c.net = ui.net;
    c.Vvod_PWD = ui.Vvod_PWD;
    c.Chg_pass = ui.Chg_pass;
    return c;
}

RemoteControls remoteControls(const Ui::frmSerial &ui)
{
    RemoteControls c;
    c.VibGenCmd = ui.VibGenCmd;
    c.dist_net_num = ui.dist_net_num;
    c.lchislo = ui.lchislo;
    c.chislo_sdv = ui.chislo_sdv;
    c.ch_ver = ui.ch_ver;
    c.gen_zapr = ui.gen_zapr;
    c.Frame5 = ui.Frame5;
    c.r485d = ui.r485d;
    c.r_ad = ui.r_ad;
    c.r_fd = ui.r_fd;
    c.r_pd = ui.r_pd;
    c.r_p485d = ui.r_p485d;
    c.iinvd = ui.iinvd;
    c.usrednd = ui.usrednd;
    c.D_4096d = ui.D_4096d;
    c.per_sentsd = ui.per_sentsd;
    c.tartab1d = ui.tartab1d;
    c.Label25 = ui.Label25;
    c.Slider1d = ui.Slider1d;
    c.sglad = ui.sglad;
    c.Termokompensd = ui.Termokompensd;
    c.gen_txt = ui.gen_txt;
    c.gen_copy = ui.gen_copy;
    return c;
}

CalibrationControls calibrationControls(const Ui::frmSerial &ui)
{
    CalibrationControls c;
    c.pages = ui.SSTab1;
    c.tabCalibration = ui.tabCalibration;
    c.Command11 = ui.Command11;
    c.Command12 = ui.Command12;
    c.ch_portion = ui.ch_portion;
    c.step_zapr = ui.step_zapr;
    c.tar_file_name = ui.tar_file_name;
    c.Command14 = ui.Command14;
    c.MSFlexGrid1 = ui.MSFlexGrid1;
    c.Command6 = ui.Command6;
    return c;
}

FirmwareControls firmwareControls(const Ui::frmSerial &ui)
{
    FirmwareControls c;
    c.Command8 = ui.Command8;
    c.filename_prog = ui.filename_prog;
    c.PL140 = ui.PL140;
    c.EEPROM = ui.EEPROM;
    c.start = ui.start;
    c.fwProgress = ui.fwProgress;
    c.fwCancel = ui.fwCancel;
    c.txtRec1 = ui.txtRec1;
    return c;
}

ShellDisplay::Controls shellDisplayControls(QWidget *window, const Ui::frmSerial &ui)
{
    ShellDisplay::Controls c;
    c.window = window;
    c.MsgCom = ui.MsgCom;
    c.Pic = ui.Pic;
    c.len_answ = ui.len_answ;
    c.txtRec = ui.txtRec;
    c.portControls = {ui.CmbPort, ui.BTNOpenCom, ui.BTNCloseCom};
    return c;
}
