old content
that is longer than the new file will be
old content
that is longer than the new file will be
old content
that is longer than the new file will be
old content
that is longer than the new file will be
old content
that is longer than the new file will be
