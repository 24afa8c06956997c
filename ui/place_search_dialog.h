#pragma once
// "Find Place": a city found by a few letters of its name. The search runs on a worker thread,
// so typing never waits for the database; a pause in typing starts it.

#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QFutureWatcher>
#include <QThreadPool>
#include <QTimer>

#include "core/ports/place_lookup.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vantrel::ui {

inline constexpr const char* kNoPlaceFound = "No place found";

// Controls by objectName: "PlaceName" (the letters typed), "PlaceList" (the places found, the
// most populous first), "PlaceStatus" (searching, nothing found, or what went wrong) and the
// buttons "OkButton" and "CancelButton". Up, Down, Page Up and Page Down move through the list
// while the name is typed; Enter takes the place marked, Escape closes without one.
class PlaceSearchDialog : public QDialog {
    Q_OBJECT

public:
    // lookup must outlive the dialog.
    explicit PlaceSearchDialog(const core::PlaceLookup& lookup, QWidget* parent = nullptr);
    ~PlaceSearchDialog() override;

    // The place marked when the dialog was accepted; nullopt after Escape or Cancel.
    std::optional<core::Place> chosenPlace() const;

    // Searches for the typed letters at once instead of after the pause.
    void searchNow();

signals:
    // A search has ended and its places, or "No place found", are shown.
    void resultsShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Outcome {
        std::vector<core::Place> places;
        std::string error;  // empty when the search worked
    };

    void showOutcome();
    void updateOkButton();

    const core::PlaceLookup& m_lookup;
    std::vector<core::Place> m_places;
    std::optional<core::Place> m_chosen;

    QLineEdit* m_name = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_okButton = nullptr;
    QTimer m_pause;
    QFutureWatcher<Outcome> m_search;
    // One thread: the lookup's calls must not overlap. Declared last, so that it is destroyed
    // first and waits for a search still running.
    QThreadPool m_worker;
};

}  // namespace vantrel::ui
