// A stand-in for the phone's processes that write the configuration store:
// it reads commands from stdin and writes keys through GConf, so that tests
// and benchmarks can drive the store from a separate process without paying
// for a gconftool-2 start per write.
//
//   set KEY TYPE VALUE     TYPE is string, int, bool or float; prints "ok"
//   unset KEY              prints "ok"
//   burst KEY N FIRST [STEP]
//                          writes N string values FIRST, FIRST+STEP, ... (STEP 1
//                          when not given) as fast as it can; prints "done"
//   quit
#include <gconf/gconf-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace
{
bool report(GError *error)
{
    if (!error)
        return true;
    std::fprintf(stderr, "storewriter: %s\n", error->message);
    g_error_free(error);
    return false;
}

bool setValue(GConfClient *client, const std::string &key, const std::string &type, const std::string &value)
{
    GError *error = nullptr;
    if (type == "string")
        gconf_client_set_string(client, key.c_str(), value.c_str(), &error);
    else if (type == "int")
        gconf_client_set_int(client, key.c_str(), std::atoi(value.c_str()), &error);
    else if (type == "bool")
        gconf_client_set_bool(client, key.c_str(), value == "true", &error);
    else if (type == "float")
        gconf_client_set_float(client, key.c_str(), std::strtod(value.c_str(), nullptr), &error);
    else {
        std::fprintf(stderr, "storewriter: unknown type %s\n", type.c_str());
        return false;
    }
    return report(error);
}
} // namespace

int main()
{
    GConfClient *client = gconf_client_get_default();
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string command, key;
        in >> command >> key;
        bool ok = true;
        if (command == "quit") {
            break;
        } else if (command == "set") {
            std::string type, value;
            in >> type;
            std::getline(in >> std::ws, value);
            ok = setValue(client, key, type, value);
            std::puts(ok ? "ok" : "error");
        } else if (command == "unset") {
            GError *error = nullptr;
            gconf_client_unset(client, key.c_str(), &error);
            ok = report(error);
            std::puts(ok ? "ok" : "error");
        } else if (command == "burst") {
            unsigned long long count = 0, first = 0, step = 1;
            in >> count >> first;
            if (!(in >> step))
                step = 1;
            for (unsigned long long i = 0; i < count && ok; ++i)
                ok = setValue(client, key, "string", std::to_string(first + i * step));
            std::puts(ok ? "done" : "error");
        } else if (!command.empty()) {
            std::fprintf(stderr, "storewriter: unknown command %s\n", command.c_str());
            std::puts("error");
        }
        std::fflush(stdout);
    }
    g_object_unref(client);
    return 0;
}
