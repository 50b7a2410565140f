#pragma once
#include <QObject>
#include <QString>
#include <cstdint>

#include "history/HistoryPlot.h"

class QLineEdit;
class QPushButton;
class QScrollBar;

namespace karmo {

class MainWindow;
class Panel;
class PlotPicture;
class ClickLabel;
class FileList;
class DirList;
class DriveList;
class FocusEdit;

// The history on screen: the "Input File" panel, the history-parameters dialog, the
// history plot with its scroll bar, zoom and marks, and the commands of the history
// information panel that end or store the editing. It works on the window's panels by
// their control names and on the window's AppState.
class HistoryScreen : public QObject {
    Q_OBJECT
public:
    explicit HistoryScreen(MainWindow& w);

    // The input panel for the current batch (a batch without history file).
    void openInputPanel();
    // DrawHistory on Pic_Hist: the window of ViewCount points from fromPoint, with the
    // information panel. A freshly loaded history calls showLoadedHistory instead.
    void drawHistory(int32_t fromPoint);
    // A history that has just been read: the whole history from point 1.
    void showLoadedHistory();
    void resetZoom();
    // The information panel's texts for the current batch.
    void fillInformation();
    // Ends the editing of the history: its panels close, the database panel comes back.
    void closeEditing();
    // How often the plot has been drawn (the subtract hint is shown once per drawing).
    int drawCount() const { return draws_; }
    // The extremes line of the plot in the units now in force.
    void redrawHistoryExtremes();
    // The shown window again (a new display mode); nothing when the plot is hidden.
    void redraw();
    // The whole history from its first point, the zoom undone.
    void redrawInFull();
    // After a unit switch: the plot's extremes line.
    void unitsChanged();
    // After points were removed: the window keeps its start where it can.
    void drawAfterShortening();
    // After the conflict check removed points: the plot, the point count and the
    // "Re&fresh" caption show the shortened history.
    void historyShortened();
    // The history on the printer or the save picture (screen printing).
    void drawOn(Canvas& c, HistoryTarget target, double textScale);

    // Handlers, named as the controls are.
    void btt_Hist_Choice_Click(int index);
    void cmd_Filepath_OK_Click();
    void cmd_Filepath_Cancel_Click();
    void cmd_Hist_Parm_OK_Click();
    void cmd_Hist_Parm_Cancel_Click();
    void hsc_Hist_Scroll(int value);
    void hsc_Hist_Change(int value);
    void hsc_Hist_GotFocus();
    void Cmd_Zoom_Refr_Click();
    void Zoom1_MouseDown(Qt::MouseButton b);
    void Zoom1_MouseUp();
    void Zoom1_DblClick();
    void Pic_Hist_MouseDown(Qt::MouseButton b, double x, double y);
    void Pic_Hist_MouseMove(Qt::MouseButtons b, double x, double y);
    void Pic_Hist_Click();
    void Pic_Spectr_Click();
    void frm_Stress_Info_Click();
    void cmd_Cancel_Click();
    void cmd_Save_Click();

    // The kind of the current mark: "1" a band of points, "2" a rectangle.
    const QString& markTag() const { return tag_; }
    // An erased mark leaves no kind behind: boxes typed afterwards count as a stretch.
    void forgetMarkKind() { tag_.clear(); }
    const HistoryGeometry& geometry() const { return geom_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    Panel* panel(const char* name) const;
    QPushButton* zoomButton() const;
    void setZoomButton(bool refresh, bool enabled);
    void markBox(double x1, double y1, double x2, double y2);
    void eraseMark();
    void applyScroll(int16_t min, int16_t max, int16_t smallChange, int16_t largeChange, int16_t value);
    void syncDisplayMenu();
    double textScale() const;

    MainWindow& w_;
    Panel* chk_;
    Panel* parms_;
    Panel* hist_;
    Panel* info_;
    PlotPicture* pic_;
    QScrollBar* scroll_;
    ClickLabel* zoom1_;
    FileList* files_;
    DirList* dirs_;
    DriveList* drives_;
    QLineEdit* fileName_;
    HistoryGeometry geom_;
    int source_ = 0;
    int draws_ = 0;
    QString tag_;
    QString extremes_;      // the extremes line as last written on the plot
    int32_t markX1_ = 0, markX2_ = 0, markY1_ = 0, markY2_ = 0;
};

}  // namespace karmo
