#include "ui/place_search_dialog.h"

#include <exception>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "core/places/place_texts.h"

namespace vantrel::ui {

namespace {

// More would not fit a list anyone reads; a longer name narrows it.
constexpr std::size_t kMostPlaces = 100;
constexpr int kTypingPauseMs = 250;

QString placeDetails(const core::Place& place)
{
    return QString::fromStdString(core::latitudeTextFromDegrees(place.latitudeDeg) + " " +
                                  core::longitudeTextFromDegrees(place.longitudeDeg) + ", " +
                                  place.zoneName + ", population " +
                                  std::to_string(place.population));
}

}  // namespace

PlaceSearchDialog::PlaceSearchDialog(const core::PlaceLookup& lookup, QWidget* parent)
    : QDialog(parent), m_lookup(lookup)
{
    setWindowTitle("Find Place");
    m_worker.setMaxThreadCount(1);

    m_name = new QLineEdit;
    m_name->setObjectName("PlaceName");
    m_name->setPlaceholderText("A few letters of a city's name");
    m_name->setToolTip("City name");
    m_name->installEventFilter(this);
    m_list = new QListWidget;
    m_list->setObjectName("PlaceList");
    m_list->setToolTip("Places found, the largest first");
    m_status = new QLabel;
    m_status->setObjectName("PlaceStatus");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    m_okButton->setObjectName("OkButton");
    m_okButton->setText("&Use place");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelButton");

    auto* label = new QLabel("&City");
    label->setBuddy(m_name);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_name);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);

    m_pause.setSingleShot(true);
    m_pause.setInterval(kTypingPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &PlaceSearchDialog::searchNow);
    connect(m_name, &QLineEdit::textEdited, this, [this] { m_pause.start(); });
    connect(&m_search, &QFutureWatcher<Outcome>::finished, this, &PlaceSearchDialog::showOutcome);
    connect(m_list, &QListWidget::currentRowChanged, this, &PlaceSearchDialog::updateOkButton);
    connect(m_list, &QListWidget::itemActivated, this, [this] { accept(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, [this] {
        const int row = m_list->currentRow();
        if (row >= 0 && row < static_cast<int>(m_places.size()))
            m_chosen = m_places[static_cast<std::size_t>(row)];
    });
    connect(this, &QDialog::rejected, this, [this] { m_chosen.reset(); });
    updateOkButton();
    resize(420, 320);
}

PlaceSearchDialog::~PlaceSearchDialog()
{
    m_worker.waitForDone();
}

std::optional<core::Place> PlaceSearchDialog::chosenPlace() const
{
    return m_chosen;
}

void PlaceSearchDialog::searchNow()
{
    m_pause.stop();
    const QString query = m_name->text().trimmed();
    // The places of an older name go at once, so that Enter cannot take one of them.
    m_places.clear();
    m_list->clear();
    updateOkButton();
    if (query.isEmpty()) {
        // Nothing to look for; a search still running is no longer wanted.
        m_search.setFuture(QFuture<Outcome>());
        m_status->clear();
        emit resultsShown();
        return;
    }
    m_status->setText("Searching\u2026");
    const core::PlaceLookup* lookup = &m_lookup;
    const std::string text = query.toStdString();
    // A new search replaces the one being watched; the older one's result is dropped.
    m_search.setFuture(QtConcurrent::run(&m_worker, [lookup, text] {
        Outcome outcome;
        try {
            outcome.places = lookup->findPlaces(text, kMostPlaces);
        } catch (const std::exception& error) {
            outcome.error = error.what();
        }
        return outcome;
    }));
}

void PlaceSearchDialog::showOutcome()
{
    const QFuture<Outcome> future = m_search.future();
    if (!future.isValid() || future.resultCount() == 0)
        return;
    const Outcome outcome = future.result();
    m_places = outcome.places;
    m_list->clear();
    for (const core::Place& place : m_places) {
        auto* item = new QListWidgetItem(QString::fromStdString(core::placeTitle(place)), m_list);
        item->setToolTip(placeDetails(place));
    }
    if (!outcome.error.empty())
        m_status->setText(QString::fromStdString(outcome.error));
    else if (m_places.empty())
        m_status->setText(kNoPlaceFound);
    else
        m_status->setText(QString("%1 found").arg(m_places.size()));
    if (!m_places.empty())
        m_list->setCurrentRow(0);
    updateOkButton();
    emit resultsShown();
}

void PlaceSearchDialog::updateOkButton()
{
    m_okButton->setEnabled(m_list->currentRow() >= 0);
}

bool PlaceSearchDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The list follows the arrow keys while the name keeps the focus for typing.
    if (watched == m_name && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(m_list, event);
            return true;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_pause.isActive()) {
            // Enter right after typing searches first rather than taking an older result.
            searchNow();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace vantrel::ui
