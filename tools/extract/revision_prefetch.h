#pragma once
// Reading a history's revisions on a second thread, ahead of their use, so
// that reading and diffing the next revisions overlaps with writing the
// ones before.

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "extract/source_history.h"

struct ReadRevision {
    std::string text;
    std::vector<LineHunk> hunks;
    bool ok = true;
    std::string error;  // why it could not be read, when not ok
};

struct RevisionPrefetch {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<ReadRevision> ready;  // read and not yet taken, in order
    size_t depth = 8;                // how far reading may run ahead
    bool stopped = false;            // nothing more is wanted
    std::thread reader;

    RevisionPrefetch() = default;
    RevisionPrefetch(const RevisionPrefetch&) = delete;
    RevisionPrefetch& operator=(const RevisionPrefetch&) = delete;
    // Stops the reader and waits for it.
    ~RevisionPrefetch();
};

// Starts reading every revision of `history`, which must outlive the
// prefetch; all its reads happen on the reader thread, in order.
void startPrefetch(RevisionPrefetch& prefetch, const SourceHistory& history, int first = 0);

// The next revision, waiting for it to be read. Revisions after one that
// failed are not read.
ReadRevision takeRevision(RevisionPrefetch& prefetch);
