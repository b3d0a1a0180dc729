#pragma once
// One line that names the running Windows: product, edition, service pack and
// build, as far as the system lets them be told apart.
#include <windows.h>
#include <string>

#include "info/WindowsVersionApi.h"
#include "info/WindowsVersionTables.h"

// The detailed text from the extended version record and the registry.
// Raises whatever goes wrong inside.
std::string GetWindowsVersionText(const TWindowsVersionApi& api = TWindowsVersionApi());

// "<platform> Version <major>.<minor> (Build <build> : <service pack>)" from
// the plain version record. Raises whatever goes wrong inside.
std::string GetBasicWindowsVersionText(const TWindowsVersionApi& api = TWindowsVersionApi());

// The detailed text, else the basic text, else "Microsoft Windows". Never raises.
std::string GetSafeWindowsVersionText(const TWindowsVersionApi& api = TWindowsVersionApi()) noexcept;
