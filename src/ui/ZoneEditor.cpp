#include "ui/ZoneEditor.h"

#include "tools/SoundOps.h"
#include "ui/LevelBar.h"
#include "uibase/EditorHost.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>

namespace ovb {

namespace {

enum Column {
    LabelCol,
    ListCol,
    VeloLowCol,
    VeloBarCol,
    VeloHighCol,
    KeyLowCol,
    KeyBarCol,
    KeyHighCol,
    VolCol,
    TranspCol
};

// Labels are told apart by a tag: 100 + zone for the velocity limit, 400 + zone for the volume,
// 500 + zone for the transpose (zones counted from 1). Only the velocity limits take the mouse.
constexpr int kVelocityTag = 100, kVolumeTag = 400, kTransposeTag = 500;
constexpr int kListCharacters = 21;

QLabel* Fixed(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* Tagged(int tag, QWidget* parent) {
    QLabel* label = Fixed("000", parent);
    label->setProperty("tag", tag);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance("-000") + 4);
    return label;
}

} // namespace

QColor ZoneEditor::ListColour(bool holdsMultisample) {
    return holdsMultisample ? QColor(Qt::white) : QColor(0xC0, 0xC0, 0xC0);
}

ZoneEditor::ZoneEditor(EditorHost& host, QAbstractItemModel* multisampleNames, CurrentSound current,
                       QWidget* parent)
    : QGroupBox("Basic Zone", parent), host_(host), current_(std::move(current)) {
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(2);
    addHeader(grid);
    for (int zone = 0; zone < int(kZones); ++zone)
        addRow(grid, multisampleNames, zone);
    grid->setColumnStretch(ListCol, 1);
    showZoneLists();
    showZoneValues();
}

void ZoneEditor::addHeader(QGridLayout* grid) {
    grid->addWidget(new QLabel("Multisample For Zone", this), 0, ListCol);
    grid->addWidget(Fixed("Velo Window", this), 0, VeloLowCol, 1, 3);
    grid->addWidget(Fixed("Key Window", this), 0, KeyLowCol, 1, 3);
    grid->addWidget(Fixed("Vol", this), 0, VolCol);
    grid->addWidget(Fixed("Transp", this), 0, TranspCol);
}

void ZoneEditor::addRow(QGridLayout* grid, QAbstractItemModel* names, int zone) {
    Row& row = rows_[zone];
    const int r = zone + 1;
    row.label = new QLabel(QString("Zone %1").arg(zone + 1), this);
    if (zone > 0) {
        // From zone 2 on, a click takes the multisample after the one of the zone above.
        row.label->setCursor(Qt::PointingHandCursor);
        row.label->installEventFilter(this);
    }
    row.list = new QComboBox(this);
    row.list->setModel(names);
    // Wide enough for "MS0000 " and a name of 16 usual characters; twenty rows fit a small
    // screen.
    row.list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    row.list->setIconSize(QSize(0, 0)); // the items have no icon
    row.list->setMinimumContentsLength(kListCharacters);
    row.list->setFixedHeight(row.list->fontMetrics().height() + 7);
    row.list->setMaxVisibleItems(24);
    row.list->setAutoFillBackground(true);
    if (auto* view = qobject_cast<QListView*>(row.list->view())) view->setUniformItemSizes(true);
    connect(row.list, &QComboBox::currentIndexChanged, this,
            [this, zone](int item) { zoneListChanged(zone, item); });

    row.bar = new LevelBar(QColor(0x20, 0x60, 0xC0), this);
    row.velocity = Tagged(kVelocityTag + zone + 1, this);
    row.velocity->setCursor(Qt::SizeVerCursor);
    row.velocity->setToolTip("Drag up or down to change the upper velocity limit");
    row.velocity->installEventFilter(this);
    auto* keyBar = new LevelBar(QColor(0x80, 0x80, 0x80), this);
    keyBar->setLevel(127);
    row.volume = Tagged(kVolumeTag + zone + 1, this);
    row.transpose = Tagged(kTransposeTag + zone + 1, this);

    grid->addWidget(row.label, r, LabelCol);
    grid->addWidget(row.list, r, ListCol);
    grid->addWidget(Fixed("000", this), r, VeloLowCol);
    grid->addWidget(row.bar, r, VeloBarCol);
    grid->addWidget(row.velocity, r, VeloHighCol);
    QLabel* keyLow = Fixed("000", this);
    keyLow->setContentsMargins(6, 0, 0, 0); // apart from the velocity window
    grid->addWidget(keyLow, r, KeyLowCol);
    grid->addWidget(keyBar, r, KeyBarCol);
    grid->addWidget(Fixed("127", this), r, KeyHighCol);
    grid->addWidget(row.volume, r, VolCol);
    grid->addWidget(row.transpose, r, TranspCol);
}

as_sound& ZoneEditor::sound() const {
    return host_.bank().sound(unsigned(current_()));
}

void ZoneEditor::showZoneLists() {
    showing_ = true;
    const as_sound& s = sound();
    for (int zone = 0; zone < int(kZones); ++zone) {
        const unsigned ms = s.zone[zone].multisample();
        // A stored index beyond the list selects nothing rather than a wrong item.
        rows_[zone].list->setCurrentIndex(ms < kMultisamples ? int(ms) : -1);
        colourList(zone);
    }
    showing_ = false;
}

void ZoneEditor::showZoneValues() {
    const as_sound& s = sound();
    for (int zone = 0; zone < int(kZones); ++zone) {
        const as_zone& z = s.zone[zone];
        const Row& row = rows_[zone];
        row.velocity->setText(QString::asprintf("%03d", z.velocity_high));
        row.bar->setLevel(z.velocity_high);
        row.volume->setText(QString::asprintf("%03d", z.volume));
        row.transpose->setText(QString::fromStdString(TransposeText(z.transpose)));
    }
}

void ZoneEditor::colourList(int zone) {
    QComboBox* list = rows_[zone].list;
    QPalette palette = list->palette();
    const QColor colour = ListColour(list->currentIndex() > 0);
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    list->setPalette(palette);
}

void ZoneEditor::zoneListChanged(int zone, int item) {
    if (showing_ || item < 0) return;
    // Only the changed zone is written: the other lists show what their zones hold, except a
    // stored index no list can show, which must survive an edit of another zone.
    sound().zone[zone].set_multisample(unsigned(item) & 0x3FFF);
    colourList(zone);
}

void ZoneEditor::zoneLabelClicked(int zone) {
    if (!TakeNextMultisample(host_.bank(), unsigned(current_()), unsigned(zone))) return;
    showing_ = true;
    rows_[zone].list->setCurrentIndex(int(sound().zone[zone].multisample()));
    showing_ = false;
    colourList(zone);
}

bool ZoneEditor::velocityMouse(int zone, QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton) return false;
        dragging_ = true;
        last_ = mouse->globalPosition();
        return true;
    case QEvent::MouseMove: {
        if (!dragging_) return false;
        const QPointF now = mouse->globalPosition();
        // One step per move, whatever the distance: up raises the limit, down lowers it.
        if (now.y() != last_.y()) StepVelocityLimit(sound().zone[zone], now.y() < last_.y());
        last_ = now;
        showZoneValues();
        return true;
    }
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        return true;
    default:
        return false;
    }
}

bool ZoneEditor::eventFilter(QObject* watched, QEvent* event) {
    for (int zone = 0; zone < int(kZones); ++zone) {
        if (watched == rows_[zone].velocity) return velocityMouse(zone, event);
        if (watched == rows_[zone].label && event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            zoneLabelClicked(zone);
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace ovb
