#!/usr/bin/env bash
# Fails, naming the include, when a layer points the wrong way: the subsystems and the ground
# include no shell/ and no Qt; the ground includes no subsystem; irc/ includes neither the
# monitor nor the match rules; match/ includes neither the monitor, the IRC connection nor the
# Interp feed.
cd "$(dirname "$0")/../src" && ! grep -rnE '#include *[<"](shell/|Q[A-Z][A-Za-z]*|qt)' core monitor match irc settings interp preview browser update wiring 2>/dev/null | grep . && ! grep -rnE '#include *"(monitor|match|irc|settings|interp|preview|browser|update|wiring|shell)/' core | grep . && ! grep -rnE '#include *"(monitor|match)/' irc | grep . && ! grep -rnE '#include *"(monitor|irc|interp)/' match | grep .
