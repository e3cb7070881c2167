#pragma once
// A tree of windows without a desktop, as one Python call or one Workspace object works in it.
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

#include "ScriptUi.h"
#include "tree/marluneMDIClient.h"

class Signal;
class marluneMDIChild;

// Raised as marlune.FileError: a file that could not be opened, read or written, with the program's message.
class ScriptFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised as ValueError: arguments or data from which the program computes nothing.
class ScriptValueError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Its own desktop and client with every window kind registered, the program folder found beside the
// module (the build's bin, or the prefix's share/marlune). Records handed to Python keep their session
// alive; calls into one session take its lock, since a tree is changed by one thread at a time.
class ScriptSession : public std::enable_shared_from_this<ScriptSession> {
public:
    static std::shared_ptr<ScriptSession> make();
    ScriptSession(const ScriptSession&) = delete;
    ScriptSession& operator=(const ScriptSession&) = delete;

    ScriptUi& ui() { return ui_; }
    marluneMDIClient& client() { return client_; }
    std::mutex& lock() { return lock_; }

    // A root window showing `source`'s samples uncopied, titled `title`.
    marluneMDIChild& addRoot(std::shared_ptr<Signal> source, const std::string& title);
    // The record of a window of this session, keeping the session alive as long as it is held.
    std::shared_ptr<Signal> shareSignal(const marluneMDIChild& window);

    // The messages since the last call, or `fallback` when there were none.
    std::string messagesOr(const std::string& fallback);

private:
    ScriptSession();

    ScriptUi ui_;
    marluneMDIClient client_;
    std::mutex lock_;
};
