#pragma once
// The system default locale, reduced to what the program distinguishes.

// 2052 (Chinese, PRC) when LC_ALL, else LC_MESSAGES, else LANG starts with
// "zh_CN"; 1033 (English) otherwise.
unsigned SystemDefaultLcid();
