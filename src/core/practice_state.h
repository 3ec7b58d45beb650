#pragma once
// The record of practice sessions kept for the progress view, and the session under way.

#include <cstdint>
#include <memory>
#include <string>

namespace lutavo {

class PracticeRecord;

// Closes the record's database; defined beside the record, so that the state needs only its name.
struct PracticeRecordCloser {
    void operator()(PracticeRecord* record) const;
};
using PracticeRecordHandle = std::unique_ptr<PracticeRecord, PracticeRecordCloser>;

struct PracticeState {
    std::string recordPath;  // the database's file; "" when the user has no data folder
    // Opened at the first session, so that starting the program does not wait for it.
    PracticeRecordHandle record;
    bool recordTried = false;  // the record was opened, or its failure reported, once this run
    std::int64_t session = 0;  // the session under way in the record; 0 for none
};

}  // namespace lutavo
