#pragma once
#include "ui/panels/FilePanel.h"

namespace karmo {

struct AppState;
class ClickLabel;

// The purposes the shared data-services panel serves.
enum class DataServMode : int16_t {
    SaveDatabase = 1,
    SaveHistory = 2,
    OpenDatabase = 3,
    Colors = 5,
    NewDatabase = 6,
};

// frm_data_serv: one panel for opening, creating and saving a database, saving a history
// and editing the colours; configure() sets it up for a purpose and records it.
class DataServPanel : public FilePanel {
    Q_OBJECT
public:
    explicit DataServPanel(QWidget* parent);

    void configure(DataServMode mode, const AppState& s);
    DataServMode mode() const { return mode_; }

    // The colour samples: 0 "Graph" (text colour), 1..3 background, 5 restore.
    ClickLabel* sample(int index) const;
    void paintSamples(const AppState& s);

signals:
    void sampleClicked(int index);

private:
    DataServMode mode_ = DataServMode::NewDatabase;
};

}  // namespace karmo
