#include "ListQuery.h"

#include "FindRunner.h"
#include "RecordListModel.h"

namespace Orvane {

ListQuery::ListQuery(const QString &databasePath, RecordListModel &model,
                     std::function<qint64()> currentKey, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_currentKey(std::move(currentKey))
    , m_runner(std::make_unique<FindRunner>(databasePath))
{
    connect(m_runner.get(), &FindRunner::done, this, &ListQuery::showResult);
}

ListQuery::~ListQuery() = default;

bool ListQuery::isSearching() const
{
    return m_runner->isRunning();
}

void ListQuery::setEnabled(bool enabled)
{
    m_enabled = enabled;
}

void ListQuery::setText(const QString &text)
{
    if (m_request.text == text)
        return;
    m_request.text = text;
    run();
}

void ListQuery::setCustomer(const std::optional<CustomerId> &customer)
{
    if (m_request.customer == customer && m_request.text.isEmpty())
        return;
    m_request.customer = customer;
    m_request.text.clear();
    run();
}

void ListQuery::clearFind()
{
    if (!m_request.customer && m_request.text.isEmpty())
        return;
    m_request.customer.reset();
    m_request.text.clear();
    run();
}

void ListQuery::setSort(std::optional<DowsingRecord::FieldId> field, bool descending)
{
    if (!field)
        descending = false;
    if (m_request.sortBy == field && m_request.descending == descending) {
        emit requestChanged();
        return;
    }
    m_request.sortBy = field;
    m_request.descending = descending;
    run();
}

void ListQuery::cycleSort(DowsingRecord::FieldId field)
{
    if (m_request.sortBy != field)
        setSort(field, false);
    else if (!m_request.descending)
        setSort(field, true);
    else
        setSort(std::nullopt);
}

void ListQuery::openCurrentWhenShown()
{
    if (isSearching())
        m_openWhenShown = true;
    else
        emit openRequested();
}

void ListQuery::restore(const FindRequest &request, qint64 currentKey)
{
    m_request = request;
    m_wantedKey = currentKey;
    run();
}

qint64 ListQuery::keyToKeep() const
{
    return m_wantedKey >= 0 ? m_wantedKey : m_currentKey();
}

void ListQuery::stop()
{
    m_runner->cancel();
    emit searchingChanged();
}

void ListQuery::again()
{
    if (!m_request.showsEverything())
        run();
}

void ListQuery::run()
{
    emit requestChanged();
    if (!m_enabled)
        return;
    if (m_request.showsEverything()) {
        m_runner->cancel();
        showEverything();
        return;
    }
    m_runner->post(m_request, m_model.tableKeys());
    emit searchingChanged();
}

void ListQuery::showEverything()
{
    const qint64 key = keyToKeep();
    if (!m_model.showAll())
        emit failed(m_model.errorText());
    deliver(key);
}

void ListQuery::showResult(const FindResult &result)
{
    if (!result.error.isEmpty()) {
        m_wantedKey = -1;
        m_openWhenShown = false;
        emit searchingChanged();
        emit failed(result.error);
        return;
    }
    const qint64 key = keyToKeep();
    m_model.showKeys(result.keys, result.table);
    deliver(key);
    if (result.indexUnsound)
        emit indexUnsound();
}

void ListQuery::deliver(qint64 key)
{
    m_wantedKey = -1;
    emit shown(key);
    if (m_openWhenShown) {
        m_openWhenShown = false;
        emit openRequested();
    }
}

} // namespace Orvane
