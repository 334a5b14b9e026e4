#include "own_network.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include <sched.h>
#include <unistd.h>

namespace kalvex::test {

namespace {

bool writeFile(const char *path, const std::string &text)
{
    std::ofstream file(path);
    file << text;
    file.close();
    return file.good();
}

OwnNetwork enterOwnNetwork()
{
    OwnNetwork network;
    const uid_t uid = geteuid();
    const gid_t gid = getegid();
    const int flags = uid == 0 ? CLONE_NEWNET : CLONE_NEWUSER | CLONE_NEWNET;
    if (unshare(flags) != 0) {
        network.failure = std::string("cannot make a network namespace: ") + std::strerror(errno);
        return network;
    }
    // Root within the new user namespace, so that the network can be set up.
    if (uid != 0 && !(writeFile("/proc/self/setgroups", "deny") &&
                      writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
                      writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))) {
        network.failure = "cannot map the user into the new user namespace";
        return network;
    }
    network.entered = true;
    return network;
}

const OwnNetwork entered = enterOwnNetwork();

} // namespace

const OwnNetwork &ownNetwork()
{
    return entered;
}

} // namespace kalvex::test
