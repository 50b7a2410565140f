#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStorageInfo>
#include <cmath>

#include "core/ShutDown.h"
#include "core/StartUp.h"
#include "core/Units.h"
#include "database/BatchOps.h"
#include "spectrum/MeanStress.h"
#include "ui/BatchDisplay.h"
#include "ui/DatabaseScreen.h"
#include "ui/FileLists.h"
#include "ui/FatigueScreen.h"
#include "ui/FocusEdit.h"
#include "ui/HelpWindow.h"
#include "ui/EditingScreen.h"
#include "ui/HistoryScreen.h"
#include "ui/PrintingScreen.h"
#include "ui/QtCanvas.h"
#include "ui/SpectrumScreen.h"
#include "ui/QtPrompter.h"
#include "ui/panels/AboutPanel.h"
#include "ui/panels/AppendHistPanel.h"
#include "ui/panels/AppendPanel.h"
#include "ui/panels/BetaParamsPanel.h"
#include "ui/panels/ChkFilePanel.h"
#include "ui/panels/CorrectionPanel.h"
#include "ui/panels/DistrPanel.h"
#include "ui/panels/EditChoicePanel.h"
#include "ui/panels/HistPanel.h"
#include "ui/panels/HistParmsPanel.h"
#include "ui/panels/LoadDbasePanel.h"
#include "ui/panels/MeanStressPanel.h"
#include "ui/panels/RescaleInfoPanel.h"
#include "ui/panels/SpectrPanel.h"
#include "ui/panels/SpectrumInfoPanel.h"
#include "ui/panels/SpectrumParamsPanel.h"
#include "ui/panels/StressInfoPanel.h"
#include "ui/panels/SubtractPanel.h"

namespace karmo {

namespace {

// The panels were laid out for an 8.25 point font on the design surface.
constexpr double kDesignFontPoints = 8.25;

QString Q(const std::string& s) { return QString::fromStdString(s); }

void setBackground(QWidget* w, Color c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, ToQColor(c));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

}  // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), startDir_(options.startDir) {
    setObjectName(QStringLiteral("form_main"));
    setWindowTitle(QStringLiteral("KARMO"));
    if (options.prompter) {
        prompter_ = options.prompter;
    } else {
        ownPrompter_ = std::make_unique<QtPrompter>(this);
        prompter_ = ownPrompter_.get();
    }
    rebuildMeanStressLabel = RebuildDmseLabel;
    pickColor_ = [this](Color current) {
        const QColor c = QColorDialog::getColor(ToQColor(current), this);
        return c.isValid() ? FromQColor(c) : current;
    };
    surface_ = new QWidget(this);
    surface_->setObjectName(QStringLiteral("surface"));
    setCentralWidget(surface_);
    buildMenus();
    buildPanels();
    startUp(options);
    // The screens, each owning the wiring of its area of the window.
    history_ = new HistoryScreen(*this);
    database_ = new DatabaseScreen(*this);
    printing_ = new PrintingScreen(*this);
    editing_ = new EditingScreen(*this);
    AttachSpectrumRoad(*this);
    spectrum_ = new SpectrumScreen(*this);
    fatigue_ = new FatigueScreen(*this);
}

MainWindow::~MainWindow() {
    if (help_) help_->deleteLater();
}

// ---------------------------------------------------------------------------------------
// construction

QAction* MainWindow::addAction(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    actions_.insert(a->objectName(), a);
    return a;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    auto menu = [this](QMenu* parentMenu, QMenuBar* b, const char* name, const QString& caption) {
        QMenu* m = parentMenu ? parentMenu->addMenu(caption) : b->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        actions_.insert(m->objectName(), m->menuAction());
        return m;
    };

    QMenu* file = menu(nullptr, bar, "mnu_File", QStringLiteral("&File"));
    connect(addAction(file, "mnu_quit_program", QStringLiteral("E&xit")), &QAction::triggered, this,
            &MainWindow::mnu_quit_program_Click);

    QMenu* settings = menu(nullptr, bar, "mnu_Settings", QStringLiteral("&Settings"));
    QMenu* units = menu(settings, nullptr, "mnu_units", QStringLiteral("&Units"));
    QAction* si = addAction(units, "mnu_SI", QStringLiteral("S&I"));
    QAction* us = addAction(units, "mnu_US", QStringLiteral("U&S"));
    si->setCheckable(true);
    us->setCheckable(true);
    si->setChecked(true);
    connect(si, &QAction::triggered, this, &MainWindow::mnu_SI_Click);
    connect(us, &QAction::triggered, this, &MainWindow::mnu_US_Click);
    connect(addAction(settings, "mnu_settings", QStringLiteral("&Colors...")), &QAction::triggered, this,
            &MainWindow::mnu_settings_Click);
    QMenu* tips = menu(settings, nullptr, "mnu_tool_text", QStringLiteral("&Tip Text"));
    QAction* show = addAction(tips, "mnu_tool_0", QStringLiteral("&Show"));
    QAction* hide = addAction(tips, "mnu_tool_1", QStringLiteral("&Hide"));
    show->setCheckable(true);
    hide->setCheckable(true);
    show->setProperty("index", 0);
    hide->setProperty("index", 1);
    connect(show, &QAction::triggered, this, [this] { mnu_tool_Click(0); });
    connect(hide, &QAction::triggered, this, [this] { mnu_tool_Click(1); });
    settings->addSeparator();
    connect(addAction(settings, "mnu_save_Sett", QStringLiteral("&Save Settings")), &QAction::triggered, this,
            &MainWindow::mnu_save_Sett_Click);

    // The Data menu is the database screen's.
    QMenu* data = menu(nullptr, bar, "mnu_Data", QStringLiteral("&Data"));
    connect(addAction(data, "mnu_data_serv", QStringLiteral("&Open Database")), &QAction::triggered, this,
            [this] { database_->mnu_data_serv_Click(); });
    connect(addAction(data, "mnu_data_new", QStringLiteral("&New Database")), &QAction::triggered, this,
            [this] { database_->mnu_data_new_Click(); });
    data->addSeparator();
    connect(addAction(data, "mnu_data_edit", QStringLiteral("&Edit Database")), &QAction::triggered, this,
            [this] { database_->mnu_data_edit_Click(); });
    connect(addAction(data, "mnu_data_save", QStringLiteral("&Save Database")), &QAction::triggered, this,
            [this] { database_->mnu_data_save_Click(); });

    // The Results and Screen menus are the printing screen's.
    QMenu* results = menu(nullptr, bar, "mnu_Results", QStringLiteral("&Results"));
    connect(addAction(results, "mnu_opt", QStringLiteral("Print Setup...")), &QAction::triggered, this,
            [this] { printing_->mnu_opt_Click(); });
    results->addSeparator();
    QMenu* form = menu(results, nullptr, "mnu_form", QStringLiteral("Print &Screen"));
    connect(addAction(form, "mnu_pform", QStringLiteral("on &Printer")), &QAction::triggered, this,
            [this] { printing_->mnu_pform_Click(); });
    connect(addAction(form, "mnu_szym", QStringLiteral("to &File...")), &QAction::triggered, this,
            [this] { printing_->mnu_szym_Click(); });
    QMenu* summ = menu(results, nullptr, "mnu_summ", QStringLiteral("Print Summary"));
    connect(addAction(summ, "mnu_pdoc", QStringLiteral("on &Printer")), &QAction::triggered, this,
            [this] { printing_->mnu_pdoc_Click(); });
    connect(addAction(summ, "mnu_pfile", QStringLiteral("to File...")), &QAction::triggered, this,
            [this] { printing_->mnu_pfile_Click(); });

    connect(addAction(results, "mnu_fatigue", QStringLiteral("Fatigue &Damage...")), &QAction::triggered, this,
            [this] { fatigue_->mnu_fatigue_Click(); });
    QMenu* screen = menu(nullptr, bar, "mnu_Screen", QStringLiteral("Scree&n"));
    connect(addAction(screen, "mnu_copyscreen", QStringLiteral("&Copy Screen on Printer")), &QAction::triggered,
            this, [this] { printing_->mnu_copyscreen_Click(); });

    QMenu* help = menu(nullptr, bar, "mnu_Help", QStringLiteral("&Help"));
    connect(addAction(help, "mnu_contents", QStringLiteral("&Contents")), &QAction::triggered, this,
            &MainWindow::mnu_contents_Click);
    help->addSeparator();
    connect(addAction(help, "mnu_about", QStringLiteral("About KARMO")), &QAction::triggered, this,
            &MainWindow::mnu_about_Click);

    // The two pop-up menus are not on the menu bar.
    auto popupMenu = [this](const char* name, const QString& caption) {
        auto* m = new QMenu(caption, this);
        m->setObjectName(QString::fromLatin1(name));
        popups_.insert(m->objectName(), m);
        return m;
    };
    QMenu* disp = popupMenu("pop_disp", QStringLiteral("History Display "));
    QAction* fast = addAction(disp, "pop_disp1_0", QStringLiteral("Fast Display"));
    QAction* full = addAction(disp, "pop_disp1_1", QStringLiteral("Full Display"));
    fast->setCheckable(true);
    full->setCheckable(true);
    full->setChecked(true);
    connect(fast, &QAction::triggered, this, [this] { pop_disp1_Click(0); });
    connect(full, &QAction::triggered, this, [this] { pop_disp1_Click(1); });
    QMenu* head = popupMenu("pop_head", QStringLiteral("Text File"));
    QAction* with = addAction(head, "pop_head1_0", QStringLiteral("with header"));
    QAction* without = addAction(head, "pop_head1_1", QStringLiteral("no header"));
    with->setCheckable(true);
    without->setCheckable(true);
    with->setChecked(true);
    connect(with, &QAction::triggered, this, [this] { pop_head1_Click(0); });
    connect(without, &QAction::triggered, this, [this] { pop_head1_Click(1); });
}

void MainWindow::buildPanels() {
    // The title on the window background, under every panel.
    const QString company = Q(s_.CompanyName.empty() ? std::string("Orvex") : s_.CompanyName);
    const struct { const char* name; QString text; double scale; bool bold; } titles[] = {
        {"lbl_Title_Name", QStringLiteral("KARMO"), 5.0, true},
        {"lbl_Title_Text", QStringLiteral("Program for Acquisition of Loading Data"), 1.8, false},
        {"lbl_Title_Version", QStringLiteral("Version 1.0"), 1.2, false},
        {"lbl_Title_Company", company, 1.2, false},
    };
    for (const auto& t : titles) {
        auto* l = new QLabel(t.text, surface_);
        l->setObjectName(QString::fromLatin1(t.name));
        l->setProperty("fontScale", t.scale);
        l->setProperty("fontBold", t.bold);
        l->setAlignment(Qt::AlignCenter);
        titles_ << l;
    }

    // Display areas first, so the dialog panels open above them.
    stressInfo_ = new StressInfoPanel(surface_);
    hist_ = new HistPanel(surface_);
    spectr_ = new SpectrPanel(surface_);
    auto* spectrumInfo = new SpectrumInfoPanel(surface_);
    distr_ = new DistrPanel(surface_);
    auto* appendHist = new AppendHistPanel(surface_);
    loadDbase_ = new LoadDbasePanel(surface_);
    dataServ_ = new DataServPanel(surface_);
    QList<Panel*> all = {stressInfo_, hist_, spectr_, spectrumInfo, distr_, appendHist, loadDbase_, dataServ_,
                         new SpectrumParamsPanel(surface_), new EditChoicePanel(surface_),
                         new BetaParamsPanel(surface_), new MeanStressPanel(surface_),
                         new HistParmsPanel(surface_), new CorrectionPanel(surface_),
                         new RescaleInfoPanel(surface_), new SubtractPanel(surface_),
                         new AppendPanel(surface_), new ChkFilePanel(surface_)};
    for (Panel* p : std::initializer_list<Panel*>{stressInfo_, hist_, spectr_, spectrumInfo, distr_})
        p->setRaiseOnShow(false);
    about_ = new AboutPanel(surface_);
    all << about_;
    for (Panel* p : all) {
        panels_.insert(p->objectName(), p);
        connect(p, &Panel::shownChanged, this, &MainWindow::updateTitles);
    }

    connect(about_->button(QStringLiteral("cmd_about")), &QPushButton::clicked, this, &MainWindow::cmd_about_Click);
    connect(dataServ_->button(QStringLiteral("cmd_data_do")), &QPushButton::clicked, this,
            &MainWindow::cmd_data_do_Click);
    connect(dataServ_->button(QStringLiteral("cmd_data_cancel")), &QPushButton::clicked, this,
            &MainWindow::cmd_data_cancel_Click);
    connect(dataServ_, &DataServPanel::sampleClicked, this, &MainWindow::Graphics_Click);
    // The dialog's lists and name box are the database directory and the save name.
    connect(dataServ_->dirs(), &DirList::pathChanged, this,
            [this](const QString& path) { s_.DatabaseDir = path.toStdString(); });
    connect(dataServ_->drives(), &DriveList::driveChanged, this, [this](const QString& drive) {
        s_.CurrentDrive = drive.toStdString();
        s_.DatabaseDir = dataServ_->dirs()->path().toStdString();
    });
    connect(dataServ_->edit(QStringLiteral("File_Name")), &QLineEdit::textChanged, this,
            [this](const QString& name) { s_.SaveFileName = name.toStdString(); });
    connect(loadDbase_, &LoadDbasePanel::quantityLabelClicked, this, &MainWindow::quantityLabel_Click);
}

// ---------------------------------------------------------------------------------------
// start-up and geometry

void MainWindow::startUp(const MainWindowOptions& o) {
    sizeWindow(o);
    setStartMenus();

    const QString root = QStorageInfo(startDir_).rootPath();
    int32_t colors = -1;
    if (o.displayNumColors) {
        colors = *o.displayNumColors;
    } else if (const QScreen* sc = QGuiApplication::primaryScreen(); sc && sc->depth() <= 8) {
        colors = 1 << sc->depth();
    }
    StartUpState(s_, startDir_.toStdString(), (root.isEmpty() ? QStringLiteral("/") : root).toStdString(), colors);

    syncToolTipMenus();
    applyToolTips();
    applyColors();
    syncUnitMenus();
    panel(QStringLiteral("frm_Subtract"))->label(QStringLiteral("lbl_Subtract_What"))
        ->setText(Q(CaptionsForQuantity(s_).CutHistory));
    for (const char* name : {"frm_Chk_File", "frm_Append"}) {
        Panel* p = panel(QString::fromLatin1(name));
        for (auto* d : p->findChildren<DirList*>()) d->setPath(Q(s_.HistoryDir));
        for (auto* f : p->findChildren<FileList*>()) f->setPath(Q(s_.HistoryDir));
    }
    scaleControls();
}

void MainWindow::sizeWindow(const MainWindowOptions& o) {
    const QScreen* sc = QGuiApplication::primaryScreen();
    const double dpi = sc && sc->logicalDotsPerInchX() > 0 ? sc->logicalDotsPerInchX() : 96.0;
    twipsPerPixel_ = 1440.0 / dpi;
    QSizeF screen;
    if (o.screenTwips)
        screen = *o.screenTwips;
    else if (sc)
        screen = QSizeF(sc->geometry().width() * twipsPerPixel_, sc->geometry().height() * twipsPerPixel_);
    else
        screen = QSizeF(1024 * twipsPerPixel_, 768 * twipsPerPixel_);
    windowRect_ = MainWindowRect(screen.width(), screen.height(), twipsPerPixel_);
    factors_ = ComputeScaleFactors(windowRect_.width, windowRect_.height);
    const auto px = [this](double t) { return static_cast<int>(std::lround(t / twipsPerPixel_)); };
    setMinimumSize(0, 0);
    resize(px(windowRect_.width), px(windowRect_.height));
    move(px(windowRect_.left), px(windowRect_.top));
}

void MainWindow::placePanel(QWidget* w, const TwipRect& r) {
    const auto px = [this](double t) { return static_cast<int>(std::lround(t / twipsPerPixel_)); };
    w->setGeometry(px(r.left), px(r.top), px(r.width), px(r.height));
}

void MainWindow::placePanelAs(Panel* p, const QString& designName) {
    if (p->property("placeAs").toString() == designName) return;
    p->setProperty("placeAs", designName);
    scaleControls();
}

void MainWindow::scaleControls() {
    // Fonts follow the window at a damped rate, and only when it is really stretched.
    QFont f = surface_->font();
    f.setPointSizeF(kDesignFontPoints * (factors_.scaleControls() ? factors_.font : 1.0));
    surface_->setFont(f);
    for (QLabel* l : titles_) {
        QFont tf(l->objectName() == QLatin1String("lbl_Title_Name") ? QStringLiteral("Bookman Old Style")
                                                                   : f.family());
        tf.setPointSizeF(f.pointSizeF() * l->property("fontScale").toDouble());
        tf.setBold(l->property("fontBold").toBool());
        l->setFont(tf);
        l->adjustSize();
    }
    QFont af(QStringLiteral("Bookman Old Style"));
    af.setPointSizeF(f.pointSizeF() * 2.4);
    af.setBold(true);
    about_->label(QStringLiteral("lbl_About_Name"))->setFont(af);

    const double innerW = windowRect_.width;
    const double innerH = windowRect_.height - menuBar()->sizeHint().height() * twipsPerPixel_;
    for (Panel* p : panels_) {
        const QString as = p->property("placeAs").toString();
        const QString name = as.isEmpty() ? p->objectName() : as;
        if (auto r = PanelRect(name.toStdString(), factors_, innerW, innerH)) placePanel(p, *r);
    }
    placePanel(about_, AboutPanelRect(factors_, windowRect_.width));
    centreTitles();
}

void MainWindow::centreTitles() {
    const int w = surface_->width() > 0 ? surface_->width() : width();
    const int h = surface_->height() > 0 ? surface_->height() : height();
    int y = h / 5;
    for (QLabel* l : titles_) {
        l->hide();
        l->adjustSize();
        l->move((w - l->width()) / 2, y);
        y += l->height() + (l == titles_.first() ? h / 20 : h / 60);
    }
    updateTitles();
}

void MainWindow::updateTitles() {
    // The title on the background is for the empty window only.
    bool covered = false;
    for (const Panel* p : panels_) covered = covered || p->isVisibleTo(this);
    for (QLabel* l : titles_) l->setVisible(!covered);
}

void MainWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    centreTitles();
}

void MainWindow::setStartMenus() {
    for (const char* n : {"mnu_form", "mnu_summ", "mnu_data_edit", "mnu_data_save"})
        action(QString::fromLatin1(n))->setEnabled(false);
    for (const char* n : {"mnu_data_serv", "mnu_data_new"}) action(QString::fromLatin1(n))->setEnabled(true);
}

void MainWindow::applyMenuEvent(MenuEvent e) {
    const auto set = [this](std::initializer_list<const char*> names, bool on) {
        for (const char* n : names) action(QString::fromLatin1(n))->setEnabled(on);
    };
    switch (e) {
        case MenuEvent::HistoryDrawn:
            set({"mnu_form", "mnu_pdoc"}, true);
            set({"mnu_data_serv", "mnu_data_new", "mnu_data_edit", "mnu_data_save"}, false);
            break;
        case MenuEvent::SpectrumDrawn:
            set({"mnu_form", "mnu_summ", "mnu_pdoc"}, true);
            break;
        case MenuEvent::HistoryClosed:
            set({"mnu_data_serv", "mnu_data_new"}, true);
            // a database without batches has nothing to edit or save yet
            set({"mnu_data_edit", "mnu_data_save"}, s_.BatchCount > 0);
            set({"mnu_form", "mnu_summ", "mnu_pdoc"}, false);
            break;
        case MenuEvent::SpectrumClosed:
            set({"mnu_data_serv", "mnu_data_new", "mnu_data_edit", "mnu_data_save"}, true);
            set({"mnu_form", "mnu_pdoc"}, false);
            break;
        case MenuEvent::DatabaseOpened:
            set({"mnu_data_edit", "mnu_data_save"}, true);
            break;
    }
}

void MainWindow::syncUnitMenus() {
    action(QStringLiteral("mnu_SI"))->setChecked(!s_.UnitsUS);
    action(QStringLiteral("mnu_US"))->setChecked(s_.UnitsUS);
}

void MainWindow::syncToolTipMenus() {
    action(QStringLiteral("mnu_tool_0"))->setChecked(s_.ToolTipsHidden == 0);
    action(QStringLiteral("mnu_tool_1"))->setChecked(s_.ToolTipsHidden == 1);
}

// ---------------------------------------------------------------------------------------
// lookups

QAction* MainWindow::action(const QString& name) const { return actions_.value(name); }
QMenu* MainWindow::popup(const QString& name) const { return popups_.value(name); }
Panel* MainWindow::panel(const QString& name) const { return panels_.value(name); }

// ---------------------------------------------------------------------------------------
// refreshes

void MainWindow::applyToolTips() {
    for (const auto& e : HistoryButtonToolTips())
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(e.control)))
            w->setToolTip(Q(ToolTipFor(e.control, s_.ToolTipsHidden)));
    for (const char* n : {"Label7", "Label11", "Label14_0"})
        findChild<QWidget*>(QString::fromLatin1(n))->setToolTip(Q(ToolTipFor("Label7", s_.ToolTipsHidden)));
}

void MainWindow::applyColors() {
    dataServ_->paintSamples(s_);
    hist_->picture()->setBackground(s_.PlotBackColor);
    spectr_->picture()->setBackground(s_.PlotBackColor);
    distr_->picture()->setBackground(s_.PlotBackColor);
    setBackground(hist_, s_.HistoryColor);
    setBackground(spectr_, s_.SpectrumColor);
    setBackground(distr_, s_.BetaColor);
}

void MainWindow::refreshUnitCaptions() {
    const QuantityCaptions c = CaptionsForQuantity(s_);
    stressInfo_->label(QStringLiteral("lbl_Max_Stress"))->setText(Q(c.MaxWithUnit));
    stressInfo_->label(QStringLiteral("lbl_Min_Stress"))->setText(Q(c.MinWithUnit));
    if (s_.HistoryShown || stressInfo_->isVisible()) {
        const DataBatch& b = s_.batch();
        stressInfo_->edit(QStringLiteral("txt_Max_Stress"))->setAcceptedText(Q(DisplayQuantityValue(s_, b.MaxValue)));
        stressInfo_->edit(QStringLiteral("txt_Min_Stress"))->setAcceptedText(Q(DisplayQuantityValue(s_, b.MinValue)));
    }
    if (loadDbase_->isVisible()) showBatch(s_.CurrentBatch);
    if (!fatigue_) return;   // still starting up: no screen shows anything yet
    history_->unitsChanged();
    static_cast<SpectrumInfoPanel*>(panel(QStringLiteral("frm_Spectrum_Info")))->unitsChanged();
    fatigue_->unitsChanged();
}

void MainWindow::showBatch(int b) {
    loadDbase_->display(PrepareBatchDisplay(s_, b));
    loadDbase_->setDeletedLook(s_.batch(b).Deleted);
    // What the summary report of the batch shows follows where its data come from.
    if (b == s_.CurrentBatch) s_.BatchKind = StoredBatchKind(s_.batch(b));
}

void MainWindow::setSaveFilePicker(std::function<QString(const QString&, const QString&)> pick) {
    printing_->setSaveFilePicker(std::move(pick));
}

void MainWindow::showDataServ(DataServMode mode) {
    s_.DataMode = static_cast<int16_t>(mode);
    dataServ_->configure(mode, s_);
    dataServ_->show();
    dataServ_->button(QStringLiteral("cmd_data_do"))->setFocus();
}

void MainWindow::hideWorkingPanels() {
    for (const char* n : {"frm_Spectrum_Params", "frm_Edit_Choice", "frm_Beta_Params", "frm_Mean_Stress",
                          "frm_Hist_Parms", "frm_Correction", "frm_Rescale_Info", "frm_Subtract", "frm_Append",
                          "frm_Append_Hist", "frm_Chk_File", "frm_data_serv"})
        panel(QString::fromLatin1(n))->hide();
}

// ---------------------------------------------------------------------------------------
// menu commands

void MainWindow::mnu_quit_program_Click() {
    if (s_.UiMode != kUiIdle) return;
    close();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    if (ConfirmShutDown(s_, *prompter_)) {
        e->ignore();
        return;
    }
    if (help_) help_->close();
    e->accept();
}

void MainWindow::mnu_SI_Click() {
    if (s_.UiMode == kUiIdle) {
        SelectUnitSystem(s_, UnitSystem::SI, rebuildMeanStressLabel);
        refreshUnitCaptions();
    }
    syncUnitMenus();
}

void MainWindow::mnu_US_Click() {
    if (s_.UiMode == kUiIdle) {
        SelectUnitSystem(s_, UnitSystem::US, rebuildMeanStressLabel);
        refreshUnitCaptions();
    }
    syncUnitMenus();
}

void MainWindow::mnu_settings_Click() {
    if (s_.UiMode != kUiIdle) return;
    ColorsBackup backup;
    if (!OpenColorsDialog(s_, backup)) return;
    colorsBackup_ = backup;
    loadDbase_->hide();
    showDataServ(DataServMode::Colors);
}

void MainWindow::Graphics_Click(int index) {
    // The samples can be clicked only while the panel shows them.
    if (!dataServ_->isVisible() || dataServ_->mode() != DataServMode::Colors) return;
    if (ColorSampleClick(s_, index, pickColor_)) dataServ_->paintSamples(s_);
}

void MainWindow::cmd_data_do_Click() {
    if (!dataServ_->isVisible()) return;
    if (dataServ_->mode() == DataServMode::Colors) {
        CloseColorsDialog(s_, colorsBackup_, true);
        dataServ_->hide();
        applyColors();
        return;
    }
    database_->DoDataAction();
}

void MainWindow::cmd_data_cancel_Click() {
    if (!dataServ_->isVisible()) return;
    if (dataServ_->mode() == DataServMode::Colors) {
        CloseColorsDialog(s_, colorsBackup_, false);
        dataServ_->hide();
        applyColors();
        return;
    }
    database_->cmd_data_cancel_Click();
}

void MainWindow::mnu_tool_Click(int index) {
    if (s_.UiMode == kUiIdle) {
        SelectToolTips(s_, index);
        applyToolTips();
    }
    syncToolTipMenus();
}

void MainWindow::mnu_save_Sett_Click() {
    if (s_.UiMode != kUiIdle) return;
    SaveSettings(s_, startDir_.toStdString(), *prompter_);
}

void MainWindow::mnu_contents_Click() {
    if (s_.UiMode != kUiIdle) return;
    if (!help_) help_ = new HelpWindow(nullptr);
    help_->showContents();
    help_->show();
    help_->raise();
}

void MainWindow::pop_disp1_Click(int index) {
    s_.FastDisplay = index == 0 ? -1 : 0;
    action(QStringLiteral("pop_disp1_0"))->setChecked(index == 0);
    action(QStringLiteral("pop_disp1_1"))->setChecked(index != 0);
    history_->redraw();
}

void MainWindow::pop_head1_Click(int index) {
    s_.TextHasHeader = index == 0 ? -1 : 0;
    action(QStringLiteral("pop_head1_0"))->setChecked(index == 0);
    action(QStringLiteral("pop_head1_1"))->setChecked(index != 0);
    if (auto* b = findChild<QRadioButton*>(QStringLiteral("btt_Hist_Choice_3")))
        b->setText(index == 0 ? QStringLiteral("Text File (WH)") : QStringLiteral("Text File (NH)"));
}

void MainWindow::quantityLabel_Click(QuantityLabel label, int element) {
    if (s_.UiMode != kUiIdle) return;
    if (ToggleQuantity(s_, label, element, s_.DatabaseEditFlag)) showBatch(s_.CurrentBatch);
}

// ---------------------------------------------------------------------------------------
// the About panel

void MainWindow::mnu_about_Click() {
    // It opens over the dialog panels (whose UiMode is not idle) and records the one it
    // covers; only a second About is refused.
    if (about_->isVisible()) return;
    placePanel(about_, AboutPanelRect(factors_, windowRect_.width));
    about_->show();
    const struct { const char* name; int16_t mode; } covered[] = {
        {"frm_Append", 10}, {"frm_Chk_File", 3}, {"frm_Spectrum_Params", 2},
        {"frm_Correction", 8}, {"frm_Load_Dbase", 5},
    };
    for (const auto& c : covered) {
        Panel* p = panel(QString::fromLatin1(c.name));
        if (p->isVisible()) {
            p->hide();
            s_.UiMode = c.mode;
            about_->button(QStringLiteral("cmd_about"))->setFocus();
            return;
        }
    }
    if (dataServ_->isVisible()) {
        dataServ_->hide();
        switch (dataServ_->mode()) {
            case DataServMode::OpenDatabase: s_.UiMode = 4; break;
            case DataServMode::SaveDatabase: s_.UiMode = 6; break;
            case DataServMode::SaveHistory: s_.UiMode = 7; break;
            case DataServMode::Colors: s_.UiMode = 9; break;
            case DataServMode::NewDatabase: s_.UiMode = kUiAboutOverNewDatabase; break;
        }
    }
    about_->button(QStringLiteral("cmd_about"))->setFocus();
}

void MainWindow::cmd_about_Click() {
    about_->hide();
    switch (s_.UiMode) {
        case 2: panel(QStringLiteral("frm_Spectrum_Params"))->show(); break;
        case 3: panel(QStringLiteral("frm_Chk_File"))->show(); break;
        case 5:
            loadDbase_->show();
            loadDbase_->edit(QStringLiteral("txt_Batch"))->setEnabled(true);
            break;
        case 8: panel(QStringLiteral("frm_Correction"))->show(); break;
        case 10:
        case 11: panel(QStringLiteral("frm_Append"))->show(); break;
        case 4: showDataServ(DataServMode::OpenDatabase); break;
        case 6: showDataServ(DataServMode::SaveDatabase); break;
        case 7: showDataServ(DataServMode::SaveHistory); break;
        case 9: showDataServ(DataServMode::Colors); break;
        case kUiAboutOverNewDatabase: showDataServ(DataServMode::NewDatabase); break;
        default: break;
    }
    s_.UiMode = kUiIdle;
}

}  // namespace karmo
