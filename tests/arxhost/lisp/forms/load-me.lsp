(setq loaded (* 6 7))
