#pragma once

#include "store/RecordFinder.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace Orvane {

class FindRunner;
class RecordListModel;

// What the list shows and how it comes to show it: the find text and sort
// asked for, the searches run on the FindRunner's thread, and each result
// put into the model with the record to make current. The window owns the
// grid and the find bar, feeds this what the user asks for and follows its
// signals.
class ListQuery : public QObject
{
    Q_OBJECT

public:
    // currentKey tells the key of the grid's current row, asked as a result
    // comes in.
    ListQuery(const QString &databasePath, RecordListModel &model,
              std::function<qint64()> currentKey, QObject *parent = nullptr);
    ~ListQuery() override;

    const FindRequest &request() const { return m_request; }
    // A find or sort is running; its result is not shown yet.
    bool isSearching() const;
    // Runs requests only once the table is read and has records.
    void setEnabled(bool enabled);

    // Shows the records holding the text (every record for an empty text),
    // in the sort asked for.
    void setText(const QString &text);
    // Shows one customer's records (every record for none), found by an
    // empty text: what the find bar shows on choosing a customer.
    void setCustomer(const std::optional<CustomerId> &customer);
    // Every record again, in the sort asked for: the find bar closed.
    void clearFind();
    // Sorts by a field, or in the order of addition for none.
    void setSort(std::optional<DowsingRecord::FieldId> field, bool descending = false);
    // A field's next sort: ascending, descending, order of addition.
    void cycleSort(DowsingRecord::FieldId field);
    // Enter in the find box: the current record opens now, or once the
    // running search shows its result.
    void openCurrentWhenShown();
    // Puts a request back, after the list was read afresh, with the record
    // to make current.
    void restore(const FindRequest &request, qint64 currentKey);
    // The record to keep current: the one wanted for the next result, else
    // the current one.
    qint64 keyToKeep() const;
    // Stops the search under way; its result is not shown.
    void stop();
    // Runs the request again, as last asked.
    void again();

signals:
    // The request changed (its sort shows in the header at once).
    void requestChanged();
    // A search began, or its result or failure came.
    void searchingChanged();
    // The model shows the result: key is the record to make current (-1:
    // the first row).
    void shown(qint64 key);
    void openRequested();
    void failed(const QString &reason);
    // The find index did not fit the table: the search read the records.
    void indexUnsound();

private:
    void run();
    void showEverything();
    void showResult(const FindResult &result);
    void deliver(qint64 key);

    RecordListModel &m_model;
    std::function<qint64()> m_currentKey;
    std::unique_ptr<FindRunner> m_runner;
    FindRequest m_request;
    bool m_enabled = false;
    // The record to make current when the next result shows.
    qint64 m_wantedKey = -1;
    bool m_openWhenShown = false;
};

} // namespace Orvane
