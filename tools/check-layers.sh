#!/usr/bin/env bash
# A quick look before the build, naming the include, for what the build refuses anyway: no
# folder below the shell includes shell/ or a Qt header, and the core includes no other folder.
# Which folder may include which is enforced by the build (each folder is a library that sees
# only the folders it uses) and proved by the Layers.* tests.
cd "$(dirname "$0")/../src" && ! grep -rnE '#include *[<"](shell/|Q[A-Z][A-Za-z]*|qt)' core monitor match irc settings interp preview browser update program 2>/dev/null | grep . && ! grep -rnE '#include *"(monitor|match|irc|settings|interp|preview|browser|update|program|shell)/' core | grep .
