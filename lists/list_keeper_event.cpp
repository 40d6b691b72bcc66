#include "lists/list_keeper.h"

#include "lists/store_writer.h"

void ListKeeper::keepEntrants(std::vector<Entrant> entrants)
{
    entrantsDue_ = std::move(entrants);
    writeEventDue();
}

void ListKeeper::keepRules(const ResultRules& rules)
{
    rulesDue_ = rules;
    writeEventDue();
}

void ListKeeper::keepCountedRead(int bib, std::optional<int> record)
{
    readsDue_[bib] = record;
    if (record)
        counted_[bib] = *record;
    else
        counted_.erase(bib);
    writeEventDue();
}

void ListKeeper::writeEventDue()
{
    takeNews();
    mendIfDue();
    if (!keeping())
        return;
    if (entrantsDue_) {
        entrantsAsked_ = std::move(entrantsDue_);
        entrantsDue_.reset();
        post([entrants = *entrantsAsked_](ListStore& store) { return store.writeEntrants(entrants); });
    }
    if (rulesDue_) {
        rulesAsked_ = std::exchange(rulesDue_, std::nullopt);
        post([rules = *rulesAsked_](ListStore& store) { return store.writeRules(rules); });
    }
    // A list is begun by its first record: the choice waits for it.
    if (!current_)
        return;
    for (const auto& [bib, record] : readsDue_) {
        readsAsked_[bib] = record;
        post([list = *current_, bib, record](ListStore& store) { return store.writeCountedRead(list, bib, record); });
    }
    readsDue_.clear();
}

std::vector<Entrant> ListKeeper::keptEntrants() const
{
    if (entrantsDue_)
        return *entrantsDue_;
    return read<std::vector<Entrant>>([](ListStore& store) { return store.entrants(); });
}

ResultRules ListKeeper::keptRules() const
{
    if (rulesDue_)
        return *rulesDue_;
    return read<ResultRules>([](ListStore& store) { return store.rules(); });
}

