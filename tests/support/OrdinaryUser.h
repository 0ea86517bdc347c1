// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Root may read and write every file, so tests of what an ordinary user
// meets run their flows in a child process that has given up root first.
// Without root the tests' own user is already an ordinary one.
#include <functional>
#include <string>

// Makes `path` belong to the user the child runs as (nobody, when the tests
// run as root); false if it could not.
bool GiveToOrdinaryUser(const std::string& path);

// Runs `flow` in a child that has given up root and returns what went wrong:
// the flow's own complaint, or why the child did not finish; empty when the
// flow returned an empty string. Gtest's assertions do not cross the fork,
// so the flow says in words what it found.
std::string RunAsOrdinaryUser(const std::function<std::string()>& flow);
