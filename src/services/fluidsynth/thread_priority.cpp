// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/thread_priority.h"

#include <dbus/dbus.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace lutavo {

namespace {

// Low in the real-time range: ahead of every ordinary thread, behind the sound server's own.
constexpr int kRealtimePriority = 4;
// The service hands out real time only to a process whose real-time threads cannot hold a core
// for long: this long without blocking, when it allows as much.
constexpr rlim_t kRealtimeSliceUs = 200'000;
constexpr int kBusTimeoutMs = 2000;

constexpr const char* kService = "org.freedesktop.RealtimeKit1";
constexpr const char* kServicePath = "/org/freedesktop/RealtimeKit1";

// The desktop's real-time service, reached over the system bus.
class RealtimeService {
  public:
    RealtimeService() {
        DBusError error;
        dbus_error_init(&error);
        bus_ = dbus_bus_get_private(DBUS_BUS_SYSTEM, &error);
        dbus_error_free(&error);
        if (bus_ != nullptr) dbus_connection_set_exit_on_disconnect(bus_, false);
    }
    ~RealtimeService() {
        if (bus_ == nullptr) return;
        dbus_connection_close(bus_);
        dbus_connection_unref(bus_);
    }
    RealtimeService(const RealtimeService&) = delete;
    RealtimeService& operator=(const RealtimeService&) = delete;

    std::optional<std::int64_t> property(const char* name) {
        DBusMessage* call = dbus_message_new_method_call(kService, kServicePath,
                                                         "org.freedesktop.DBus.Properties", "Get");
        if (call == nullptr) return std::nullopt;
        const char* interface = kService;
        dbus_message_append_args(call, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &name,
                                 DBUS_TYPE_INVALID);
        DBusMessage* reply = send(call);
        if (reply == nullptr) return std::nullopt;
        std::optional<std::int64_t> value = integerIn(reply);
        dbus_message_unref(reply);
        return value;
    }

    bool makeRealtime(long thread, int priority) {
        return ask("MakeThreadRealtime", thread, DBUS_TYPE_UINT32,
                   static_cast<std::uint32_t>(priority));
    }
    bool makeHighPriority(long thread, int nice) {
        return ask("MakeThreadHighPriority", thread, DBUS_TYPE_INT32,
                   static_cast<std::int32_t>(nice));
    }

  private:
    template <typename Value>
    bool ask(const char* method, long thread, int type, Value value) {
        if (bus_ == nullptr) return false;
        DBusMessage* call = dbus_message_new_method_call(kService, kServicePath, kService, method);
        if (call == nullptr) return false;
        auto id = static_cast<std::uint64_t>(thread);
        dbus_message_append_args(call, DBUS_TYPE_UINT64, &id, type, &value, DBUS_TYPE_INVALID);
        DBusMessage* reply = send(call);
        if (reply == nullptr) return false;
        dbus_message_unref(reply);
        return true;
    }

    // Sends and waits for the answer; null for none or an error. Takes the call.
    DBusMessage* send(DBusMessage* call) {
        DBusMessage* reply = nullptr;
        if (bus_ != nullptr) {
            DBusError error;
            dbus_error_init(&error);
            reply = dbus_connection_send_with_reply_and_block(bus_, call, kBusTimeoutMs, &error);
            dbus_error_free(&error);
        }
        dbus_message_unref(call);
        return reply;
    }

    // The number in a property's answer: a variant holding a 32- or 64-bit integer.
    static std::optional<std::int64_t> integerIn(DBusMessage* reply) {
        DBusMessageIter top;
        DBusMessageIter inside;
        if (!dbus_message_iter_init(reply, &top) ||
            dbus_message_iter_get_arg_type(&top) != DBUS_TYPE_VARIANT)
            return std::nullopt;
        dbus_message_iter_recurse(&top, &inside);
        switch (dbus_message_iter_get_arg_type(&inside)) {
            case DBUS_TYPE_INT32: {
                dbus_int32_t v = 0;
                dbus_message_iter_get_basic(&inside, &v);
                return v;
            }
            case DBUS_TYPE_INT64: {
                dbus_int64_t v = 0;
                dbus_message_iter_get_basic(&inside, &v);
                return v;
            }
            default:
                return std::nullopt;
        }
    }

    DBusConnection* bus_ = nullptr;
};

std::string realtimeThroughService(RealtimeService& service, long thread) {
    const auto most = service.property("MaxRealtimePriority");
    const auto slice = service.property("RTTimeUSecMax");
    if (!most || !slice || *most < 1) return "";
    const rlim_t limit = std::min<rlim_t>(kRealtimeSliceUs, static_cast<rlim_t>(*slice));
    const rlimit rttime{limit, limit};
    if (setrlimit(RLIMIT_RTTIME, &rttime) != 0) return "";
    const int priority = std::min<int>(kRealtimePriority, static_cast<int>(*most));
    if (!service.makeRealtime(thread, priority)) return "";
    return "real time (priority " + std::to_string(priority) + ") from the desktop's service";
}

std::string realtimeScheduling(long thread) {
    // A process without the privilege may go only as high as its limit.
    rlimit limit{};
    getrlimit(RLIMIT_RTPRIO, &limit);
    const int priority = limit.rlim_cur > 0
                             ? std::min<int>(kRealtimePriority, static_cast<int>(limit.rlim_cur))
                             : kRealtimePriority;
    const sched_param param{priority};
    for (const auto& [policy, name] :
         {std::pair{SCHED_FIFO, "first in, first out"}, std::pair{SCHED_RR, "round robin"}}) {
        // A program it starts must not inherit the real-time scheduling.
        if (sched_setscheduler(static_cast<pid_t>(thread), policy | SCHED_RESET_ON_FORK, &param) ==
            0)
            return "real time (" + std::string(name) + ", priority " + std::to_string(priority) +
                   ")";
    }
    return "";
}

std::string highestNice(RealtimeService& service, long thread) {
    rlimit limit{};
    getrlimit(RLIMIT_NICE, &limit);
    // The limit allows nice values down to 20 - limit; a privileged process any.
    const int lowest =
        limit.rlim_cur > 0 ? std::max(-20, 20 - static_cast<int>(limit.rlim_cur)) : -20;
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(thread), lowest) == 0)
        return "nice " + std::to_string(lowest);
    const auto serviceLowest = service.property("MinNiceLevel");
    if (serviceLowest && service.makeHighPriority(thread, static_cast<int>(*serviceLowest)))
        return "nice " + std::to_string(*serviceLowest) + " from the desktop's service";
    return "";
}

}  // namespace

long currentThreadId() {
    return static_cast<long>(syscall(SYS_gettid));
}

std::string raiseAudioThread(long threadId) {
    RealtimeService service;
    if (std::string got = realtimeThroughService(service, threadId); !got.empty()) return got;
    if (std::string got = realtimeScheduling(threadId); !got.empty()) return got;
    if (std::string got = highestNice(service, threadId); !got.empty()) return got;
    return "ordinary priority";
}

}  // namespace lutavo
