# SPDX-License-Identifier: MIT
"""Generators for Zornik PUZZLE!'s pictures: buttons, window icon, background pattern, start-up picture."""
