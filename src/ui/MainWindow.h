#pragma once
#include <QDir>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QSizeF>
#include <functional>
#include <memory>
#include <optional>

#include "core/AppState.h"
#include "core/Settings.h"
#include "core/Units.h"
#include "ui/HelpWindow.h"
#include "ui/WindowGeometry.h"
#include "ui/panels/DataServPanel.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;

namespace karmo {

class Panel;
class QtPrompter;
class HelpWindow;
class StressInfoPanel;
class HistPanel;
class SpectrPanel;
class DistrPanel;
class LoadDbasePanel;
class AboutPanel;
class HistoryScreen;
class DatabaseScreen;
class PrintingScreen;
class FatigueScreen;
class EditingScreen;
class SpectrumScreen;

struct MainWindowOptions {
    // The directory the program started in: Karmo.cfg is read from and saved to it, and the
    // database and history directories start there.
    QString startDir = QDir::currentPath();
    // Tests answer the questions; by default the window shows message boxes.
    Prompter* prompter = nullptr;
    // The screen in twips; by default the screen the window opens on.
    std::optional<QSizeF> screenTwips;
    // The display's colour count capability (-1 above 256 colours); by default the screen's.
    std::optional<int32_t> displayNumColors;
};

// The moments that change which menu items are available.
enum class MenuEvent {
    HistoryDrawn,      // a history is drawn for editing
    SpectrumDrawn,     // a spectrum is drawn
    HistoryClosed,     // history editing ended with "&Close"
    SpectrumClosed,    // spectrum editing ended
    DatabaseOpened,    // a database was opened or created
};

// UiMode while the About panel covers the data-services panel in new-database mode (the
// other covered panels have codes 2..11).
constexpr int16_t kUiAboutOverNewDatabase = 12;

// form_main: the one window of the program. Every dialog is a panel inside it, created
// here, hidden, and placed on the design surface scaled to the window.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowOptions options = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    AppState& state() { return s_; }
    const AppState& state() const { return s_; }
    Prompter& prompter() { return *prompter_; }
    const ScaleFactors& factors() const { return factors_; }
    double twipsPerPixel() const { return twipsPerPixel_; }
    const QString& startDir() const { return startDir_; }

    QAction* action(const QString& name) const;
    QMenu* popup(const QString& name) const;
    Panel* panel(const QString& name) const;
    template <class T>
    T* control(const QString& name) const { return findChild<T*>(name); }
    HelpWindow* helpWindow() const { return help_; }
    // The history plot, the input panel and the history panel's commands.
    HistoryScreen* historyScreen() const { return history_; }
    // The "&Data" menu, the Data Services dialog and the Loading Database panel.
    DatabaseScreen* databaseScreen() const { return database_; }
    // The "&Results" and "Scree&n" menus: printing, pictures and the window copied on paper.
    PrintingScreen* printingScreen() const { return printing_; }
    // The fatigue damage panel of the Results menu.
    FatigueScreen* fatigueScreen() const { return fatigue_; }
    // Correction, rescale, subtract and append.
    EditingScreen* editingScreen() const { return editing_; }
    // Typing a spectrum in, generating it from a distribution, editing a stored one.
    SpectrumScreen* spectrumScreen() const { return spectrum_; }

    // The colour picker of the colours dialog; tests replace the QColorDialog.
    void setColorPicker(std::function<Color(Color)> pick) { pickColor_ = std::move(pick); }
    // The save-file dialog of the printing commands (title, filter -> chosen path, empty when
    // cancelled); tests replace the QFileDialog.
    void setSaveFilePicker(std::function<QString(const QString&, const QString&)> pick);

    // Refresh helpers the operations call after they change the state.
    void applyToolTips();
    void applyColors();
    void refreshUnitCaptions();
    void showBatch(int b);                 // the batch display of the database panel
    void showDataServ(DataServMode mode);  // configures and shows frm_data_serv
    void hideWorkingPanels();
    void applyMenuEvent(MenuEvent e);
    // Places a panel on the design surface by its design rectangle (twips).
    void placePanel(QWidget* w, const TwipRect& r);
    // Places a panel where the design puts another one (empty: its own place), now and
    // after every resize.
    void placePanelAs(Panel* p, const QString& designName);

    // Menu and control handlers, named as the commands are. Each first checks UiMode.
    void mnu_quit_program_Click();
    void mnu_SI_Click();
    void mnu_US_Click();
    void mnu_settings_Click();
    void mnu_tool_Click(int index);
    void mnu_save_Sett_Click();
    void mnu_contents_Click();
    void mnu_about_Click();
    void pop_disp1_Click(int index);
    void pop_head1_Click(int index);
    void cmd_about_Click();
    void cmd_data_do_Click();
    void cmd_data_cancel_Click();
    void Graphics_Click(int index);
    void quantityLabel_Click(QuantityLabel label, int element);

    // Rebuilds the mean-stress label in the new stress unit (the mean-stress code).
    std::function<void(AppState&)> rebuildMeanStressLabel;

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void buildMenus();
    void buildPanels();
    void startUp(const MainWindowOptions& o);
    void sizeWindow(const MainWindowOptions& o);
    void scaleControls();
    void centreTitles();
    void updateTitles();
    void setStartMenus();
    void syncUnitMenus();
    void syncToolTipMenus();
    QAction* addAction(QMenu* menu, const char* name, const QString& caption);

    AppState s_;
    QString startDir_;
    std::unique_ptr<QtPrompter> ownPrompter_;
    Prompter* prompter_ = nullptr;
    ScaleFactors factors_;
    double twipsPerPixel_ = 15;
    TwipRect windowRect_;
    ColorsBackup colorsBackup_;
    std::function<Color(Color)> pickColor_;
    QMap<QString, QAction*> actions_;
    QMap<QString, QMenu*> popups_;
    QMap<QString, Panel*> panels_;
    QList<QLabel*> titles_;
    QWidget* surface_ = nullptr;
    StressInfoPanel* stressInfo_ = nullptr;
    HistPanel* hist_ = nullptr;
    SpectrPanel* spectr_ = nullptr;
    DistrPanel* distr_ = nullptr;
    DataServPanel* dataServ_ = nullptr;
    LoadDbasePanel* loadDbase_ = nullptr;
    AboutPanel* about_ = nullptr;
    HistoryScreen* history_ = nullptr;
    DatabaseScreen* database_ = nullptr;
    PrintingScreen* printing_ = nullptr;
    FatigueScreen* fatigue_ = nullptr;
    EditingScreen* editing_ = nullptr;
    SpectrumScreen* spectrum_ = nullptr;
    QPointer<HelpWindow> help_;
};

}  // namespace karmo
