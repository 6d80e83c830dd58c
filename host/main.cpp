#include "startup.h"

int main(int argc, char *argv[])
{
    return joyvant::runApplication(argc, argv, QStringLiteral("qrc:/nimbo4.qml"));
}
