-- Hands one button of one palette to Keyboard Maestro: the macro named by the palette's
-- Name/ID (the first text) runs with the two-digit button number (the second text) as its
-- parameter. Tavelin does not wait for the macro, which may run for long.
--
-- The request to Keyboard Maestro is compiled when it is first made, so that this script
-- compiles on a Mac without Keyboard Maestro, whose terms it would otherwise need.
on run argv
	set macroName to item 1 of argv
	set buttonNumber to item 2 of argv
	run script "on run {macroName, buttonNumber}
	ignoring application responses
		tell application \"Keyboard Maestro Engine\" to do script macroName with parameter buttonNumber
	end ignoring
end run" with parameters {macroName, buttonNumber}
end run
