#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Runs steps one after another, in the order they were posted, on a thread of its own: a large
// file's next piece is made while the last one is encoded and written. At most `depth` steps
// wait at any time, so a fast producer cannot pile up memory. Without a thread (small files,
// where starting one costs more than it saves) each step runs at once, in the caller's thread.
class SerialWorker {
public:
    using Step = std::function<void()>;

    explicit SerialWorker(bool threaded, int depth = 4);
    SerialWorker(const SerialWorker &) = delete;
    SerialWorker &operator=(const SerialWorker &) = delete;
    // Runs what is still waiting, then ends the thread.
    ~SerialWorker();

    void post(Step step);
    // Returns once every step posted so far has run.
    void finish();

private:
    void run();

    const int m_depth;
    std::deque<Step> m_steps;
    bool m_busy = false; // a step taken from the queue is running
    bool m_stopping = false;
    std::mutex m_mutex;
    std::condition_variable m_posted; // a step arrived, or the thread is to end
    std::condition_variable m_done; // a step ran: room in the queue, or maybe all done
    std::thread m_thread;
};
