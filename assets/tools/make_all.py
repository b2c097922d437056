#!/usr/bin/env python3
"""Regenerates all artwork and sounds, then checks them."""

import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

for script in ("make_art.py", "make_sounds.py", "check_assets.py"):
    subprocess.run([sys.executable, os.path.join(HERE, script)], check=True)
