#include "ui/add_route_point.h"

const char* const EmptyNameMessages[2] = {
    "Der Name darf nicht leer seit!",
    "The Name must not be empty!",
};
