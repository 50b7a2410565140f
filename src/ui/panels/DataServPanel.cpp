#include "ui/panels/DataServPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/AppState.h"
#include "core/Settings.h"
#include "ui/FileLists.h"
#include "ui/FocusEdit.h"
#include "ui/QtCanvas.h"

namespace karmo {

DataServPanel::DataServPanel(QWidget* parent) : FilePanel("frm_data_serv", QStringLiteral("Data Services"), parent) {
    auto* v = new QVBoxLayout(this);
    QLabel* prompt = makeLabel(QStringLiteral("Select_data_option"), QString());
    prompt->setWordWrap(true);
    v->addWidget(prompt);
    v->addWidget(makeLabel(QStringLiteral("Save_to_File"), QString()));
    v->addWidget(makeEdit(QStringLiteral("File_Name")));

    QHBoxLayout* lists = makeFileLists({QStringLiteral("frm_Load_File"), QStringLiteral("fil_Load_File"),
                                        QStringLiteral("frm_data_path"), QStringLiteral("Drive1"),
                                        QStringLiteral("Dir1")});
    // The lists go as one block, so that the colour samples take their room.
    auto* listBlock = new QWidget(this);
    listBlock->setObjectName(QStringLiteral("data_lists"));
    listBlock->setLayout(lists);
    lists->setContentsMargins(0, 0, 0, 0);
    v->addWidget(listBlock, 1);

    // The colour samples stand for the windows they colour.
    QGroupBox* graphics = makeFrame(QStringLiteral("frm_set_graphics"), QStringLiteral("Window"));
    auto* gg = new QGridLayout(graphics);
    const struct { int index; int row, col, rowSpan, colSpan; } places[] = {
        {1, 0, 0, 1, 1}, {2, 0, 1, 1, 1}, {3, 1, 1, 1, 1}, {0, 1, 0, 1, 1}, {5, 2, 0, 1, 2}};
    for (const auto& p : places) {
        auto* l = new ClickLabel(QString::fromStdString(ColorSampleCaption(p.index)), graphics);
        l->setObjectName(ArrayName(QStringLiteral("Graphics"), p.index));
        l->setProperty("index", p.index);
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Box);
        l->setAutoFillBackground(true);
        l->setMinimumHeight(p.index == 5 ? 28 : 48);
        // the restore button is a button, not a window sample: it keeps one line's height
        if (p.index == 5) l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        l->setCursor(Qt::PointingHandCursor);
        gg->addWidget(l, p.row, p.col, p.rowSpan, p.colSpan);
        connect(l, &ClickLabel::clicked, this, [this, i = p.index](Qt::MouseButton) { emit sampleClicked(i); });
    }
    v->addWidget(graphics, 1);

    QPushButton* doIt = makeButton(QStringLiteral("cmd_data_do"), QStringLiteral("&OK"));
    QPushButton* cancel = makeButton(QStringLiteral("cmd_data_cancel"), QStringLiteral("&Cancel"));
    v->addLayout(buttonRow({doIt, cancel}));
    setDefaultButton(doIt);
}

ClickLabel* DataServPanel::sample(int index) const {
    return findChild<ClickLabel*>(ArrayName(QStringLiteral("Graphics"), index));
}

void DataServPanel::paintSamples(const AppState& s) {
    for (int i : {0, 1, 2, 3, 5}) {
        ClickLabel* l = sample(i);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, i >= 1 && i <= 3 ? ToQColor(*ColorSampleColor(s, i))
                                                      : palette().color(QPalette::Button));
        p.setColor(QPalette::WindowText, i == 0 ? ToQColor(s.GraphColor) : palette().color(QPalette::WindowText));
        l->setPalette(p);
    }
}

void DataServPanel::configure(DataServMode mode, const AppState& s) {
    mode_ = mode;
    const QString word = QString::fromStdString(s.QuantityName);
    QString caption, prompt, pattern, action = QStringLiteral("&OK");
    const bool colors = mode == DataServMode::Colors;
    const bool history = mode == DataServMode::SaveHistory;
    switch (mode) {
        case DataServMode::SaveDatabase:
            caption = QStringLiteral("Save Loading Database");
            prompt = QStringLiteral("Select the location to save the Database");
            pattern = QStringLiteral("kardt.dat");
            break;
        case DataServMode::SaveHistory:
            caption = QStringLiteral("Save ") + word + QStringLiteral("History");
            prompt = QStringLiteral("Select the location to save the Database");
            pattern = QStringLiteral("karhs.*");
            break;
        case DataServMode::OpenDatabase:
            caption = QStringLiteral("Loading Database");
            prompt = QStringLiteral("Load the Database and start editing...");
            pattern = QStringLiteral("kardt.dat");
            action = QStringLiteral("&Open");
            break;
        case DataServMode::Colors:
            caption = QStringLiteral("Colors");
            prompt = QStringLiteral("Click a symbolic window to change the colors ...");
            break;
        case DataServMode::NewDatabase:
            caption = QStringLiteral("Loading Database");
            prompt = QStringLiteral("Select the location for the new Database...");
            pattern = QStringLiteral("kardt.dat");
            break;
    }
    setTitle(caption);
    label(QStringLiteral("Select_data_option"))->setText(prompt);
    QLabel* saveTo = label(QStringLiteral("Save_to_File"));
    saveTo->setText(history ? QStringLiteral("Save the ") + word + QStringLiteral("History to File:") : QString());
    saveTo->setVisible(history);
    FocusEdit* name = edit(QStringLiteral("File_Name"));
    name->setVisible(history);
    if (history) name->setAcceptedText(QStringLiteral("karhs.") + QString::number(s.CurrentBatch));

    findChild<QWidget*>(QStringLiteral("data_lists"))->setVisible(!colors);
    findChild<QGroupBox*>(QStringLiteral("frm_set_graphics"))->setVisible(colors);
    if (colors) {
        paintSamples(s);
    } else {
        const QString dir = QString::fromStdString(
            mode == DataServMode::SaveDatabase || history ? s.HistoryDir : s.DatabaseDir);
        files()->setPattern(pattern);
        dirs()->setPath(dir);
        files()->setPath(dirs()->path());
    }
    button(QStringLiteral("cmd_data_do"))->setText(action);
    button(QStringLiteral("cmd_data_cancel"))->setText(QStringLiteral("&Cancel"));
}

}  // namespace karmo
