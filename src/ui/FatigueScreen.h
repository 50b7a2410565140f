#pragma once
#include <QObject>

#include "fatigue/FatigueForm.h"

namespace karmo {

class MainWindow;
class FatiguePanel;

// The fatigue damage of the current batch's spectrum: the Results menu's "Fatigue
// &Damage..." and its panel, whose inputs are checked when they lose the focus and whose
// ranges and results follow the unit system.
class FatigueScreen : public QObject {
    Q_OBJECT
public:
    explicit FatigueScreen(MainWindow& w);

    FatiguePanel* panel() const { return panel_; }
    const FatigueForm& form() const { return form_; }

    // The menu entry is there to use when the current batch has a spectrum.
    void syncMenu();
    // The ranges and the results again, in the units now in force.
    void unitsChanged();

    // Handlers, named as the controls are.
    void mnu_fatigue_Click();
    void btt_SN_Curve_Click(int index);
    void cmd_Fatigue_Close_Click();

private:
    void showForm();
    void showResults();
    MainWindow& w_;
    FatiguePanel* panel_;
    FatigueForm form_;
};

}  // namespace karmo
