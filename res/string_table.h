// The built-in string table, written once. The .rc script expands it into the
// STRINGTABLE resource and services/builtin_strings.cpp into the table that
// GetLangString falls back on, so the two cannot drift apart. The texts are
// the program's own, spacing and dots included.
#pragma once

#include "resource.h"

#define CORVANDEL_STRINGS(X)                                                                  \
  X(IDS_ABOUT_MENU, "&About Corvandel...")                                                    \
  X(2001, "A L E R T")                                                                        \
  X(2002, "This Tweak is active only on Windows NT/2000/XP")                                  \
  X(2003, "This Tweak is active only on Windows 2000/XP")                                     \
  X(2004, "This Tweak is active only on Windows XP")                                          \
  X(2005, "Please Set the Command Prompt Menu Name")                                          \
  X(2006, "Please Set the Alternate Program Path")                                            \
  X(2007, "Please Set the Log File Directory Path")                                           \
  X(2008, "Please Set the Location of the Dump File")                                         \
  X(2009, "Please Set the Number of Instructions To Record")                                  \
  X(2010, "Please Set the Location of Wave File for Sound Notification")                      \
  X(2011, "This Tweak is active only on Windows 2000/Me/XP")                                  \
  X(2012, "Please Set the Program Path")                                                      \
  X(2013, "You must choose Enable Font Smoothing on Windows NT/2000/XP or Disable")           \
  X(2014, "You must choose Enable Font Smoothing on Windows 95/98/Me or Disable")             \
  X(2015, "These settings control activate only on Windows 98/Me/2000/XP")                    \
  X(2016, "This Tweak is active only with Windows 95/98/Me/NT/2000")                          \
  X(2017, "This Tweak is active only on Windows 95/98/Me/2000/XP")                            \
  X(2018, "This Tweak is active only on Windows 2000/XP/98/Me/NT")                            \
  X(2019, "This Tweak is active only on Windows 2000")                                        \
  X(2020, "Please insert the Response Time for Hung Applications ...")                        \
  X(2021, "This Tweak is active only on Windows Me/XP")                                       \
  X(2022, "This Tweak is active only on Microsoft Windows 98")
