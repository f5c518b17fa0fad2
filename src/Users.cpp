#include "Users.h"

#include <set>

Users* Users::instance = nullptr;

Users* Users::getInstance()
{
    if (instance == nullptr)
        instance = new Users();
    return instance;
}

Users::Users()
    : usersByKey(new ThreadMap<std::string, User*>()), usersByName(new ThreadMap<std::string, User*>())
{
}

void Users::addUser(std::string key, User* user)
{
    usersByKey->add(key, user);
    usersByName->add(user->getName(), user);
}

User* Users::getUser(std::string key)
{
    User* user = nullptr;
    if (usersByKey->get(key, user))
        return user;
    if (usersByName->get(key, user))
        return user;
    return nullptr;
}

User* Users::getUserByName(std::string name)
{
    User* user = nullptr;
    return usersByName->get(name, user) ? user : nullptr;
}

void Users::clear()
{
    std::set<User*> users;
    for (ThreadMap<std::string, User*>* registry : {usersByKey, usersByName}) {
        std::vector<std::string> keys;
        registry->getKeys(keys);
        for (const std::string& key : keys) {
            User* user = nullptr;
            if (registry->get(key, user))
                users.insert(user);
            registry->remove(key);
        }
    }
    for (User* user : users)
        delete user;
    User::restartNames();
}

void Users::getUserNames(std::vector<std::string>& out) { usersByKey->getKeys(out); }
