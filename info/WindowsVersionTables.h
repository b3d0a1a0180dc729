#pragma once
// The naming tables of the Windows version text, free of any platform call.
#include <windows.h>
#include <string>

// Platform 1 (Windows 95, 98, Me): the product name with its second-edition
// mark, told from the second character of the service-pack text. Versions
// that have no name give "Unknown".
std::string Win9xProductName(DWORD major, DWORD minor, const std::string& servicePack);

// Platform 2 (the NT line): the product name, ending in a blank.
std::string NtProductName(DWORD major, DWORD minor);

// The edition words for an NT system with the extended version record;
// empty for a domain controller and unknown product types.
std::string NtEditionText(BYTE productType, DWORD major, DWORD minor, WORD suiteMask);

// The edition word for the registry's "ProductType" text of an NT system
// without the extended record; empty for texts that have none.
std::string NtProductTypeWord(const std::string& productType);

// The short platform name the basic text starts with; empty when unknown.
std::string GetPlatformName(DWORD platformId);
