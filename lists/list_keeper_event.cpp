#include "lists/list_keeper.h"

#include "lists/list_store.h"

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
    writeEventDue();
}

void ListKeeper::writeEventDue()
{
    mendIfDue();
    if (!keeping())
        return;
    if (entrantsDue_) {
        if (!store_->writeEntrants(*entrantsDue_))
            return fail();
        entrantsDue_.reset();
    }
    if (rulesDue_) {
        if (!store_->writeRules(*rulesDue_))
            return fail();
        rulesDue_.reset();
    }
    // A list is begun by its first record: the choice waits for it.
    if (!current_)
        return;
    while (!readsDue_.empty()) {
        const auto [bib, record] = *readsDue_.begin();
        if (!store_->writeCountedRead(*current_, bib, record))
            return fail();
        readsDue_.erase(readsDue_.begin());
    }
}

std::vector<Entrant> ListKeeper::keptEntrants() const
{
    if (entrantsDue_)
        return *entrantsDue_;
    return keeping() ? store_->entrants() : std::vector<Entrant>{};
}

ResultRules ListKeeper::keptRules() const
{
    if (rulesDue_)
        return *rulesDue_;
    return keeping() ? store_->rules() : ResultRules{};
}

std::map<int, int> ListKeeper::countedReads() const
{
    std::map<int, int> counted = keeping() && current_ ? store_->countedReads(*current_) : std::map<int, int>{};
    for (const auto& [bib, record] : readsDue_) {
        if (record)
            counted[bib] = *record;
        else
            counted.erase(bib);
    }
    return counted;
}
