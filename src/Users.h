#pragma once
// Registry of users by message address and by generated name.

#include "ThreadMap.h"
#include "User.h"

#include <string>
#include <vector>

class Users {
public:
    static Users* getInstance();
    virtual ~Users() = default;

    // Registers under the key and under the user's generated name; existing
    // keys keep their user.
    void addUser(std::string key, User* user);
    // Looks among addresses first, then among generated names; null when neither holds the key.
    User* getUser(std::string key);
    // Looks among generated names only; null when no user bears the name.
    User* getUserByName(std::string name);
    // Appends every address in ascending order (not used by the viewer).
    void getUserNames(std::vector<std::string>& out);

    // Deletes every user and starts the generated names again at "user0",
    // for a fresh state (not used by the viewer). Only a single-threaded
    // caller may use it, with no other thread running and no user held.
    void clear();

private:
    Users();
    static Users* instance;
    ThreadMap<std::string, User*>* usersByKey;
    ThreadMap<std::string, User*>* usersByName;
};
